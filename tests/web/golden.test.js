// The page's frames against the desktop program's reference images: the
// first frame, and each demonstration after 300 steps, made as the desktop
// golden cases make them (a fresh program, N mode keys, 300 idle steps, one
// frame). SwiftShader and the desktop's software renderer place a few edge
// and line pixels differently, so a pixel differs when one of its channels
// is more than `channelTolerance` away, and a case fails when more than
// `maxDiffering` pixels of the 320,000 differ.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert');
const path = require('path');
const { pathToFileURL } = require('url');
const h = require('./harness');

const channelTolerance = 3;  // of 255: about 1 %
const maxDiffering = 100;
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
  test(`${label} matches the desktop's picture`, async () => {
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
