// Serves the built page on 127.0.0.1, opens it in one of three browser
// engines and hands the tests a page whose animation frames run only when
// the test pumps them. The page itself has no test switch: the program is
// driven through its exported callbacks.
//
// The engine is ENGINE's: `chromium` (the default; Debian's headless
// Chromium, WebGL on SwiftShader, over the DevTools protocol), `firefox`
// (Firefox ESR over WebDriver BiDi) or `webkit` (WebKitGTK's MiniBrowser
// through WebKitWebDriver, webdriver.js). The last two draw WebGL only with
// a display: their tests run in a virtual X server (tests/support/with-xvfb).
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { PNG } = require('pngjs');
const { serve } = require('./serve');
const webdriver = require('./webdriver');

const engine = process.env.ENGINE || 'chromium';
const engines = ['chromium', 'firefox', 'webkit'];
if (!engines.includes(engine)) throw new Error(`ENGINE is ${engine}, not one of ${engines.join(', ')}`);

// node:test's options for a test that only some engines can run, and why.
function onlyIn(list, why) {
  return list.includes(engine) ? {} : { skip: `${list.join(' and ')} only: ${why}` };
}

const chromiumFlags = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--force-device-scale-factor=1',
];

// The engine's browser; `server` is the page's, for webkit's preloads.
async function launch(server, which = engine) {
  if (which === 'firefox') {
    // The window as large as the screen: with no window manager, full screen is the window's size.
    return puppeteer.launch({ browser: 'firefox', protocol: 'webDriverBiDi', headless: false,
                              executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
                              args: ['--width=1920', '--height=1080'] });
  }
  if (which === 'webkit') {
    return webdriver.launch(server, process.env.MINIBROWSER ||
                            '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser');
  }
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'camera-demo-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: [...chromiumFlags, `--user-data-dir=${profile}`],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// The page served and a browser to open it in; close() ends both.
async function session(folder, which = engine) {
  const server = await serve(folder);
  const browser = await launch(server, which);
  return { url: server.url, browser, close: async () => { await browser.close(); await server.close(); } };
}

// Runs a tool's asynchronous main, ending the process with status 1 on an error.
function main(run) {
  run().catch((error) => {
    console.error(error);
    process.exit(1);
  });
}

// Before any script of the page runs, animation frames are queued instead of
// run: window.pumpFrames() runs the queued ones and returns their number.
function holdAnimationFrames() {
  let queued = [];
  window.requestAnimationFrame = (callback) => queued.push(callback);
  window.pumpFrames = () => {
    const due = queued;
    queued = [];
    due.forEach((callback) => callback(performance.now()));
    return due.length;
  };
}

// A phone held upright: 390 CSS pixels wide, touch and no mouse.
const phone = { width: 390, height: 844, deviceScaleFactor: 1, isMobile: true, hasTouch: true };

// Opens the page with held frames, `prepare` run before the page's scripts;
// resolves once main has run.
async function openPage(browser, url, { holdFrames = true, viewport = { width: 1000, height: 600 }, prepare } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ deviceScaleFactor: 1, ...viewport });
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(message.text());
  });
  if (engine === 'firefox') {
    // Puppeteer's key names over BiDi lack Space; its key value is the character.
    for (const name of ['press', 'down', 'up']) {
      const send = page.keyboard[name].bind(page.keyboard);
      page.keyboard[name] = (key, ...rest) => send(key === 'Space' ? ' ' : key, ...rest);
    }
  }
  if (holdFrames) await page.evaluateOnNewDocument(holdAnimationFrames);
  if (prepare) await page.evaluateOnNewDocument(prepare);
  await page.goto(url);
  await page.waitForFunction(() => window.Module && Module.calledRun && Module.ctx,
                             { timeout: 20000, polling: 20 });
  page.errors = errors;
  return page;
}

// Runs `script` (a function of the page; if it returns a promise, until that
// settles) and then reads the canvas before the browser presents it, so that
// the drawing buffer still holds the frame. Resolves to
// { width, height, rgb, glError }, rows top first.
async function frameAfter(page, script, ...args) {
  const result = await page.evaluate(async (source, args) => {
    // eslint-disable-next-line no-new-func
    await new Function('args', `return ${source}`)(args);
    const gl = Module.ctx;
    const width = gl.drawingBufferWidth, height = gl.drawingBufferHeight;
    const rgba = new Uint8Array(width * height * 4);
    gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
    let binary = '';
    for (let i = 0; i < rgba.length; i += 0x8000)
      binary += String.fromCharCode.apply(null, rgba.subarray(i, i + 0x8000));
    return { width, height, rgba: btoa(binary), glError: gl.getError() };
  }, `(${script.toString()})(...args)`, args);
  const rgba = Buffer.from(result.rgba, 'base64');
  const rgb = Buffer.alloc(result.width * result.height * 3);
  for (let y = 0; y < result.height; ++y)
    for (let x = 0; x < result.width; ++x) {
      const from = ((result.height - 1 - y) * result.width + x) * 4;
      const to = (y * result.width + x) * 3;
      rgb[to] = rgba[from];
      rgb[to + 1] = rgba[from + 1];
      rgb[to + 2] = rgba[from + 2];
    }
  return { width: result.width, height: result.height, rgb, glError: result.glError };
}

function readPng(file) {
  const png = PNG.sync.read(fs.readFileSync(file));
  const rgb = Buffer.alloc(png.width * png.height * 3);
  for (let i = 0, j = 0; i < png.data.length; i += 4, j += 3) {
    rgb[j] = png.data[i];
    rgb[j + 1] = png.data[i + 1];
    rgb[j + 2] = png.data[i + 2];
  }
  return { width: png.width, height: png.height, rgb };
}

function writePng(image, file) {
  const png = new PNG({ width: image.width, height: image.height });
  for (let i = 0, j = 0; j < image.rgb.length; i += 4, j += 3) {
    png.data[i] = image.rgb[j];
    png.data[i + 1] = image.rgb[j + 1];
    png.data[i + 2] = image.rgb[j + 2];
    png.data[i + 3] = 255;
  }
  fs.writeFileSync(file, PNG.sync.write(png));
}

// Pixels whose largest channel difference exceeds `tolerance` (0..255), and
// a picture of them: the reference dimmed, differing pixels in magenta.
function compare(actual, expected, tolerance) {
  if (actual.width !== expected.width || actual.height !== expected.height)
    return { differing: expected.width * expected.height, diff: null };
  const diff = { width: expected.width, height: expected.height, rgb: Buffer.alloc(expected.rgb.length) };
  let differing = 0;
  for (let i = 0; i < expected.rgb.length; i += 3) {
    const delta = Math.max(Math.abs(actual.rgb[i] - expected.rgb[i]),
                           Math.abs(actual.rgb[i + 1] - expected.rgb[i + 1]),
                           Math.abs(actual.rgb[i + 2] - expected.rgb[i + 2]));
    if (delta > tolerance) {
      ++differing;
      diff.rgb[i] = 255;
      diff.rgb[i + 2] = 255;
    } else {
      for (let c = 0; c < 3; ++c) diff.rgb[i + c] = expected.rgb[i + c] >> 2;
    }
  }
  return { differing, diff };
}

function pixel(image, x, y) {
  const i = (y * image.width + x) * 3;
  return [image.rgb[i], image.rgb[i + 1], image.rgb[i + 2]];
}

// The program's whole state as the state table holds it, with the trail's
// bits, the curves' and the page's switches, read from the program's view.
const programState = (tab) => tab.evaluate(() => {
  const view = Module.view();
  const bits = (doubles) => Array.from(new Uint32Array(new Float64Array(doubles).buffer)).join(' ');
  const curves = Module._programCurves(), points = new Float64Array(wasmMemory.buffer, curves, 1)[0];
  const floats = new Float32Array([view.orbitRadius, view.orbitAngle, view.elevation]);
  return { pose: bits(view.pose), trail: bits(new Float64Array(wasmMemory.buffer, view.trail, 2400)),
           floats: Array.from(new Uint32Array(floats.buffer)).join(' '), caption: view.caption, mode: view.mode,
           head: view.trailHead, animating: view.animating, pace: view.pace, zoom: view.zoom,
           overlays: [view.controls, view.frame].join(' '), angles: view.angles,
           curves: bits(new Float64Array(wasmMemory.buffer, curves, 1 + 4 * points)) };
});

module.exports = { engine, onlyIn, phone, programState, serve, launch, session, main, openPage, frameAfter, readPng,
                   writePng, compare, pixel };
