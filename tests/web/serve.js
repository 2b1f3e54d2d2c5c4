// Serves the web page until interrupted, printing its address: on 127.0.0.1
// by default, or on the address given (0.0.0.0: every machine that can reach
// this one). The tests' harness serves the page with it too.
// Usage: node serve.js PAGE-FOLDER [PORT] [ADDRESS]
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.txt': 'text/plain' };

// A static file server for one folder on `host` (127.0.0.1 unless given),
// on `port`, or any free port where it is 0 or taken; resolves to { url,
// close, preload }. It serves only files inside the folder, and answers a
// path it cannot read with an error status rather than stopping. A script
// set in `preload` (by the tests) goes into every HTML page served, before
// the page's own scripts.
function serve(folder, port = 0, host = '127.0.0.1') {
  const root = path.resolve(folder);
  let preload = '';
  const server = http.createServer((request, response) => {
    let file;
    try {
      const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
      file = path.join(root, name.endsWith('/') ? name + 'index.html' : name);
    } catch (error) {
      response.writeHead(400).end();
      return;
    }
    if (!file.startsWith(root + path.sep) || file.includes('\0')) {
      response.writeHead(403).end();
      return;
    }
    fs.readFile(file, (error, data) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      const type = types[path.extname(file)] || 'application/octet-stream';
      response.writeHead(200, { 'Content-Type': type });
      response.end(type === 'text/html' && preload ?
        data.toString().replace(/<head>/i, `$&<script>${preload}</script>`) : data);
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', (error) => {
      if (error.code !== 'EADDRINUSE') reject(error);
      else server.once('error', reject).listen(0, host);
    });
    server.listen(port, host);
    server.once('listening', () => {
      const { address, port: actual } = server.address();
      const shown = address.includes(':') ? `[${address}]` : address;
      resolve({ url: `http://${shown}:${actual}/`,
                close: () => new Promise((done) => server.close(done)),
                set preload(script) { preload = script; } });
    });
  });
}

if (require.main === module) {
  const [folder, port = '8080', address = '127.0.0.1'] = process.argv.slice(2);
  serve(folder, Number(port), address).then(({ url }) => {
    // Listening on every address: the ones the room's machines can use.
    const { port: actual } = new URL(url);
    const all = address === '0.0.0.0' || address === '::';
    const urls = !all ? [] : Object.values(os.networkInterfaces()).flat()
      .filter((net) => net.family === 'IPv4' && !net.internal).map((net) => `http://${net.address}:${actual}/`);
    console.log(urls.length > 0 ? `Serving the page on every address of this machine: ${urls.join(' ')} (Ctrl-C stops)`
                                : `Serving the page at ${url} (Ctrl-C stops)`);
  }, (error) => {
    console.error(`serve.js: ${error.message}`);
    process.exit(1);
  });
}

module.exports = { serve };
