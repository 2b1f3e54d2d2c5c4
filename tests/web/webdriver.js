// WebKitGTK's MiniBrowser driven by WebKitWebDriver over the W3C WebDriver
// protocol, behind the few calls of puppeteer's Page that the tests of
// every engine use (the left button only, keys pressed and released).
// Classic WebDriver has no script that runs before the page's own: the
// page's server inserts those (serve's `preload`), and the errors of the
// page are gathered by one of them and read after every script.
'use strict';

const { spawn } = require('child_process');
const net = require('net');

// WebDriver's key values of puppeteer's names; F1 to F12 follow.
const keys = { Space: ' ', Enter: '\uE007', Escape: '\uE00C', Tab: '\uE004', Home: '\uE011', PageUp: '\uE00E',
               PageDown: '\uE00F' };
const keyValue = (name) => keys[name] ||
  (/^F([1-9]|1[0-2])$/.test(name) ? String.fromCharCode(0xE031 + Number(name.slice(1)) - 1) : name);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Gathers the page's errors for `errors` (run before the page's scripts).
function recordErrors() {
  window.pageErrors = [];
  addEventListener('error', (event) => window.pageErrors.push(event.message));
  addEventListener('unhandledrejection', (event) => window.pageErrors.push(String(event.reason)));
  const error = console.error.bind(console);
  console.error = (...args) => window.pageErrors.push(args.join(' ')) && error(...args);
}

async function freePort() {
  const server = net.createServer().listen(0, '127.0.0.1');
  await new Promise((resolve) => server.once('listening', resolve));
  const { port } = server.address();
  await new Promise((resolve) => server.close(resolve));
  return port;
}

// Starts the driver and one session; `server` is the page's server, whose
// preload the pages set before they navigate.
async function launch(server, binary) {
  const port = await freePort();
  const driver = spawn(process.env.WEBKIT_WEBDRIVER || 'WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore' });
  process.once('exit', () => driver.kill());  // also when a test ends the run before closing
  const base = `http://127.0.0.1:${port}`;
  const send = async (method, route, body) => {
    const response = await fetch(base + route, { method, headers: { 'Content-Type': 'application/json' },
                                                body: body && JSON.stringify(body) });
    const answer = await response.json();
    if (!response.ok) throw new Error(`WebDriver ${route}: ${answer.value.error}: ${answer.value.message}`);
    return answer.value;
  };
  let session;
  for (let tries = 0; !session; ++tries) {
    try {
      session = await send('POST', '/session', { capabilities: { alwaysMatch: {
        'webkitgtk:browserOptions': { binary, args: ['--automation'] } } } });
    } catch (error) {
      if (tries > 50 || driver.exitCode !== null) throw error;
      await sleep(100);
    }
  }
  const sessionCall = (method, route, body) => send(method, `/session/${session.sessionId}${route}`, body);
  // Each page a window of its own, made current before each command.
  let current = await sessionCall('GET', '/window'), unused = current;
  const windowCall = (handle) => async (method, route, body) => {
    if (current !== handle) await sessionCall('POST', '/window', { handle });
    current = handle;
    return sessionCall(method, route, body);
  };
  const browser = {
    newPage: async () => {
      const handle = unused || (await sessionCall('POST', '/window/new', { type: 'window' })).handle;
      unused = null;
      const call = windowCall(handle);
      return newPage(call, server, async () => {
        server.preload = '';
        const handles = await call('GET', '/window/handles');
        if (handles.length === 1) {
          unused = handle;
          return;
        }
        await call('DELETE', '/window');
        current = handles.find((other) => other !== handle);
        await sessionCall('POST', '/window', { handle: current });
      });
    },
    close: async () => {
      await sessionCall('DELETE', '').catch(() => {});
      driver.kill();
    },
  };
  return browser;
}

function newPage(send, server, close) {
  const preloads = [`(${recordErrors})();`];
  // Commands reach the page in the order given, as over puppeteer's one
  // connection: one given while a script runs waits until the page has begun it.
  let running = { settled: true }, scripts = 0;
  const call = async (...request) => {
    const check = { args: [], script: `return window.scriptsBegun >= ${running.number}` };
    for (const last = running; !last.settled && !(await send('POST', '/execute/sync', check));) await sleep(5);
    return send(...request);
  };
  const actions = (type, steps, parameters) => call('POST', '/actions', {
    actions: [{ type, id: type, ...(parameters && { parameters }), actions: steps }] });
  let at = { x: 0, y: 0 };
  const page = {
    errors: [],
    on: () => {},  // the errors come from recordErrors
    evaluateOnNewDocument: async (script, ...args) => {
      preloads.push(`(${script})(...${JSON.stringify(args)});`);
    },
    goto: async (url) => {
      server.preload = preloads.join('\n');
      await call('POST', '/url', { url });
    },
    // Runs the function `script` (or its source) with `args` in the page,
    // until a promise it returns settles.
    evaluate: async (script, ...args) => {
      const source = `(${script})`, number = ++scripts;
      const answer = call('POST', '/execute/async', { args, script: `
        window.scriptsBegun = ${number};
        const done = arguments[arguments.length - 1];
        const errors = () => (window.pageErrors || []).splice(0);
        Promise.resolve().then(() => ${source}(...Array.from(arguments).slice(0, -1))).then(
          (value) => done({ value, errors: errors() }),
          (error) => done({ error: String(error), errors: errors() }));` });
      const begun = running = { number, settled: false };
      const result = await answer.finally(() => { begun.settled = true; });
      page.errors.push(...result.errors);
      if (result.error) throw new Error(result.error);
      return result.value;
    },
    waitForFunction: async (test, { timeout = 30000, polling = 50 } = {}) => {
      for (const end = Date.now() + timeout; !(await page.evaluate(test));) {
        if (Date.now() > end) throw new Error(`waited ${timeout} ms for ${test}`);
        await sleep(polling);
      }
    },
    $eval: (selector, script, ...args) =>
      page.evaluate(`(s, ...a) => (${script})(document.querySelector(s), ...a)`, selector, ...args),
    $: async (selector) => ({
      boundingBox: () => page.$eval(selector, (e) => {
        const { x, y, width, height } = e.getBoundingClientRect();
        return { x, y, width, height };
      }),
    }),
    // A real click, so that the page may fill the screen or copy.
    click: async (selector) => {
      const element = await call('POST', '/element', { using: 'css selector', value: selector });
      await call('POST', `/element/${Object.values(element)[0]}/click`, {});
    },
    // The viewport's size, from the window's: the window's frame measured once.
    setViewport: async ({ width, height }) => {
      await call('POST', '/window/rect', { width, height });
      const inner = await page.evaluate(() => [innerWidth, innerHeight]);
      await call('POST', '/window/rect', { width: 2 * width - inner[0], height: 2 * height - inner[1] });
    },
    keyboard: {
      press: (name) => actions('key', ['keyDown', 'keyUp'].map((type) => ({ type, value: keyValue(name) }))),
    },
    mouse: {
      move: async (x, y, { steps = 1 } = {}) => {
        const from = at;
        at = { x, y };
        const along = (a, b, i) => Math.round(a + (b - a) * (i + 1) / steps);
        await actions('pointer', Array.from({ length: steps }, (_, i) => ({
          type: 'pointerMove', duration: 0, origin: 'viewport', x: along(from.x, x, i), y: along(from.y, y, i) })),
        { pointerType: 'mouse' });
      },
      down: () => actions('pointer', [{ type: 'pointerDown', button: 0 }], { pointerType: 'mouse' }),
      up: () => actions('pointer', [{ type: 'pointerUp', button: 0 }], { pointerType: 'mouse' }),
      wheel: ({ deltaX = 0, deltaY = 0 } = {}) => actions('wheel', [{
        type: 'scroll', origin: 'viewport', x: Math.round(at.x), y: Math.round(at.y), deltaX, deltaY }]),
    },
    close,
  };
  return page;
}

module.exports = { launch };
