// The page's frames against the desktop program's reference images: the
// first frame, and each demonstration after 300 steps, made as the desktop
// golden cases make them (a fresh program, N mode keys, 300 idle steps, one
// frame). The engines' renderers and the desktop's place a few edge and line
// pixels differently, so a pixel differs when one of its channels is more
// than `channelTolerance` away, and a case fails when more than `maxDiffering`
// pixels of the 320,000 differ. Chromium draws with SwiftShader (25 to 40
// such pixels on 2026-12-09); Firefox and WebKit with Mesa's llvmpipe, as the
// desktop's references were drawn (16 to 25), so they are held closer.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert');
const path = require('path');
const { pathToFileURL } = require('url');
const h = require('./harness');

const channelTolerance = 3;  // of 255: about 1 %
const maxDiffering = { chromium: 100, firefox: 50, webkit: 50 }[h.engine];
const page = process.env.WEB_PAGE || path.join(__dirname, '../../build-web/page');
const golden = path.join(__dirname, '../golden');
const out = process.env.WEB_TEST_OUTPUT || path.join(__dirname, '../../out/web-tests');

const cases = [
  { name: 'first-frame', modeKeys: 0, steps: 0 },
  { name: 'mode-0', modeKeys: 0, steps: 300 }, { name: 'mode-1', modeKeys: 1, steps: 300 },
  { name: 'mode-2', modeKeys: 2, steps: 300 }, { name: 'mode-3', modeKeys: 3, steps: 300 },
  { name: 'mode-4', modeKeys: 4, steps: 300 },
  // The whole page in one file, opened from disk.
  { name: 'first-frame', modeKeys: 0, steps: 0, file: 'camera-demo.html' },
];

let session;
before(async () => { session = await h.session(page); });
after(() => session.close());

for (const c of cases) {
  const label = c.file ? `${c.name} of ${c.file}` : c.name;
  const output = c.file ? `${c.name}-single-file` : c.name;
  // WebKit's driver runs no script before the page's but through the server, which a file does not pass.
  const only = c.file ? h.onlyIn(['chromium', 'firefox'], 'frames held in a page opened from disk') : {};
  test(`${label} matches the desktop's picture`, only, async () => {
    const url = c.file ? pathToFileURL(path.join(page, c.file)).href : session.url;
    const tab = await h.openPage(session.browser, url);
    const frame = await h.frameAfter(tab, (modeKeys, steps) => {
      for (let i = 0; i < modeKeys; ++i) Module._programKeyboard('m'.charCodeAt(0), 0, 0);
      for (let i = 0; i < steps; ++i) Module._programIdle();
      Module._programDisplay();
    }, c.modeKeys, c.steps);
    await tab.close();
    const { differing, diff } = h.compare(frame, h.readPng(path.join(golden, `${c.name}.png`)), channelTolerance);
    console.log(`${label}: ${differing} of ${frame.width * frame.height} pixels differ by more than ${channelTolerance}/255`);
    if (differing > maxDiffering) {
      require('fs').mkdirSync(out, { recursive: true });
      h.writePng(frame, path.join(out, `${output}-browser.png`));
      if (diff) h.writePng(diff, path.join(out, `${output}-diff.png`));
      console.log(`  written: ${out}/${output}-browser.png and -diff.png`);
    }
    assert.strictEqual(frame.glError, 0, 'WebGL reported an error');
    assert.ok(differing <= maxDiffering, `${differing} pixels differ (at most ${maxDiffering})`);
  });
}

// At devicePixelRatio 2 each 2 x 2 block of the canvas, averaged, is the desktop's pixel, except where an
// edge or a line passes through it and the block shares it out otherwise (the wire sphere's crowded lines
// leave gaps): so only pixels whose 3 x 3 neighbourhood in the desktop's picture is within the tolerance
// count, a few dozen allowed to differ (11 here). The caption's grey (128) comes in whole blocks, and the
// white lines cover four times as many pixels (within 2 %).
test('at devicePixelRatio 2 the canvas has the screen\'s pixels and the desktop\'s picture, and follows the ratio',
     h.onlyIn(['chromium', 'firefox'], 'an emulated devicePixelRatio'), async () => {
  const viewport = { width: 1000, height: 600, deviceScaleFactor: 2 };
  const tab = await h.openPage(session.browser, session.url, { viewport });
  const sharp = await h.frameAfter(tab, () => {
    for (let i = 0; i < 300; ++i) Module._programIdle();
    Module._programDisplay();
  });
  assert.deepStrictEqual([sharp.width, sharp.height, sharp.glError], [1600, 800, 0]);
  const expected = h.readPng(path.join(golden, 'mode-0.png'));
  const near = (a, b) => a.every((v, c) => Math.abs(v - b[c]) <= channelTolerance);
  const white = (image) => image.rgb.filter((v, i) => i % 3 === 0 && Math.min(v, ...image.rgb.subarray(i, i + 3)) > 200)
    .length;
  assert.ok(Math.abs(white(sharp) / 4 / white(expected) - 1) < 0.02, 'lines twice as wide');
  let compared = 0, differing = 0, caption = 0;
  for (let y = 1; y < expected.height - 1; ++y)
    for (let x = 1; x < expected.width - 1; ++x) {
      const want = h.pixel(expected, x, y);
      const block = [0, 1, 2, 3].map((i) => h.pixel(sharp, 2 * x + (i & 1), 2 * y + (i >> 1)));
      if (y < 25 && want.join() === '128,128,128') {
        ++caption;
        assert.ok(block.every((p) => near(p, want) && p.join() === block[0].join()), `caption at ${x}, ${y}`);
      }
      const around = [-1, 0, 1].flatMap((dy) => [-1, 0, 1].map((dx) => h.pixel(expected, x + dx, y + dy)));
      if (!around.every((p) => near(p, want))) continue;
      ++compared;
      if (!near(want.map((_, c) => Math.round(block.reduce((sum, p) => sum + p[c], 0) / 4)), want)) ++differing;
    }
  console.log(`ratio 2: ${differing} of ${compared} pixels away from edges differ, ${caption} caption pixels`);
  assert.ok(caption > 100 && compared > 250000 && differing <= 50, `${differing} pixels differ`);
  // Back to ratio 1 at the same size (the browser's emulation tells no listener): drawn at once, as the desktop.
  const plain = await h.frameAfter(tab, () => {
    Object.defineProperty(window, 'devicePixelRatio', { value: 1 });
    dispatchEvent(new Event('resize'));
  });
  assert.ok(h.compare(plain, expected, channelTolerance).differing <= maxDiffering, 'drawn again at ratio 1');
  await tab.close();
});
