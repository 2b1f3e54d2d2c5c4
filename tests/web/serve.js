// Serves the web page on 127.0.0.1 until interrupted, printing its address.
// Usage: node serve.js PAGE-FOLDER [PORT]
'use strict';
const { serve } = require('./harness');

serve(process.argv[2], Number(process.argv[3] || 8080)).then(({ url }) => {
  console.log(`Serving the page at ${url} (Ctrl-C stops)`);
});
