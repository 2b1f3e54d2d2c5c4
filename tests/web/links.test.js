// Links to a moment: a random round trip, and Copy link and Open a moment
// wherever the page runs. The seed is printed; LINK_SEED=<n> replays a run.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert');
const path = require('path');
const { pathToFileURL } = require('url');
const h = require('./harness');

const page = process.env.WEB_PAGE || path.join(__dirname, '../../build-web/page');
const seed = Number(process.env.LINK_SEED || 20261209);
let session;
before(async () => { session = await h.session(page); });
after(() => session.close());

// Copy link's text and words, with the clipboard stood in for.
const copyLink = async (tab) => {
  await tab.evaluate(() => { navigator.clipboard.writeText = async (text) => { window.copied = text; }; });
  await tab.click('#copy-link');
  return tab.evaluate(() => ({ text: window.copied, said: document.getElementById('status').textContent }));
};
// The picture drawn now, as a digest of its pixels taken in the page.
const picture = (tab) => tab.evaluate(() => {
  Module._programDisplay();
  const gl = Module.ctx, rgba = new Uint8Array(gl.drawingBufferWidth * gl.drawingBufferHeight * 4);
  gl.readPixels(0, 0, gl.drawingBufferWidth, gl.drawingBufferHeight, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
  return [gl.getError(), rgba.reduce((hash, byte) => Math.imul(hash ^ byte, 0x01000193), 0x811c9dc5)].join(' ');
});

test(`random sessions' links open fresh at the same state, trail, curves and picture (seed ${seed})`, async () => {
  console.log(`links.test.js: seed ${seed} (LINK_SEED=${seed} replays it)`);
  let state = seed;  // mulberry32
  const pick = (n) => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = Math.imul(state ^ (state >>> 15), state | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return Math.floor(((t ^ (t >>> 14)) >>> 0) / 4294967296 * n);
  };
  // Long runs (resumed first, or a pause would leave them nothing), short
  // ones, mode keys (one to seven), drags of either button, and Home, F1 to
  // F4, F8 (drags by angles), Space, the zoom and the arrows by GLUT's codes.
  const long = () => ['idle', 800 + pick(1600), true], keys = () => ['keys', 110, 1 + pick(7)];
  const action = () => [long, long, keys, keys, () => ['idle', 1 + pick(40)],
    () => ['drag', pick(2) * 2, pick(301) - 150, pick(201) - 100],
    () => ['special', [106, 1, 2, 3, 4, 8, 104, 105, 100, 101, 102, 103, 32][pick(13)], 1 + pick(3)]][pick(7)]();
  const counts = { merged: 0, cut: 0, radius: 0, swing: 0, high: 0, zero: 0 };
  for (let i = 0; i < 4; ++i) {
    const tab = await h.openPage(session.browser, session.url);
    // The record before shortening, to see which of its paths the link took.
    await tab.evaluate(() => {
      const raw = new Moment.Recorder([], Module.view(), () => {}), shown = Module.onView;
      Module.onView = (view) => { shown(view); raw.observe(view); };
      window.rawRecord = raw.record;
    });
    const done = [];
    for (let j = 0; j < 6; ++j) {
      const list = Array.from({ length: 2 + pick(6) }, action);
      counts.merged += list.filter(([what, key, times]) => what === 'keys' && times > 1).length;
      done.push(...list);
      await tab.evaluate((list) => list.forEach(([what, a, b, c]) => {
        const repeat = (f, times) => { for (let k = 0; k < times; ++k) f(); };
        if (what === 'idle' && b && !Module.view().animating) Module.sendKey(false, 32);
        if (what === 'idle') repeat(() => Module.callProgram(() => Module._programIdle()), a);
        else if (what !== 'drag') repeat(() => Module.sendKey(what === 'special' && a !== 32, a), b);
        else [[0, 0], [b, c], [2 * b, 3 * c]].forEach(([x, y], n) => Module.callProgram(() => {
          if (n === 0) Module._programMouse(a, 0, 400, 200);
          Module._programMotion(400 + x, 200 + y);
          if (n === 2) Module._programMouse(a, 1, 400 + x, 200 + y);
        }));
      }), list);
      const { text, said } = await copyLink(tab);
      const what = `session ${i}, moment ${j} (seed ${seed}): ${JSON.stringify(done)}\n${text}`;
      assert.match(said, /^Copied: the link opens this moment/, what);
      const cut = await tab.evaluate((parts) => parts < rawRecord.length && Moment.cutOf(rawRecord),
                                     new URL(text).hash.replace(/^#at=([^&]*).*|.*/, '$1').split('.').length);
      if (cut) counts.cut += 1, counts.radius += cut.radiusStep > 0, counts[cut.elevation.kind] += 1;
      const opened = await h.openPage(session.browser, text);
      assert.deepStrictEqual([await h.programState(opened), await picture(opened)],
                             [await h.programState(tab), await picture(tab)], what);
      assert.deepStrictEqual([await opened.$eval('#link-note', (e) => e.textContent), ...opened.errors, ...tab.errors], [''], what);
      await opened.close();
    }
    await tab.close();
  }
  console.log(`links.test.js: shortening paths taken: ${JSON.stringify(counts)}`);
  for (const path of ['merged', 'cut', 'radius', 'swing', 'high'])
    assert.ok(counts[path] > 0, `no moment of seed ${seed} took "${path}"`);
});

test('Copy link past a limit or an address that cannot follow; from disk the moment itself, for Open a moment', async () => {
  const tab = await h.openPage(session.browser, session.url);
  await tab.evaluate(() => {
    history.replaceState = () => { throw new DOMException('Too many calls', 'SecurityError'); };
    for (let i = 0; i < 5; ++i) Module.callProgram(() => Module._programIdle());
  });
  await new Promise((resolve) => setTimeout(resolve, 300));
  assert.deepStrictEqual(await copyLink(tab), { text: `${session.url}#at=s5`,
                                                said: 'Copied: the link opens this moment of the lesson.' });
  await tab.evaluate(() => { delete history.replaceState; });
  await tab.waitForFunction(() => location.hash === '#at=s5', { timeout: 3000, polling: 50 });
  await tab.evaluate(() => { for (let i = 0; i < 2001; ++i) Module.sendKey(true, i % 2 ? 105 : 104); });
  assert.match((await copyLink(tab)).said,
               /^Copied, but it will not open this moment\. The link.s moment has 2002 parts, more than the 2000/);

  const fromDisk = await h.openPage(session.browser, pathToFileURL(path.join(page, 'camera-demo.html')).href);
  await fromDisk.evaluate(() => ['k', 's', 's'].forEach((what) => Module.callProgram(() => {
    if (what === 'k') Module._programKeyboard(110, 0, 0); else Module._programIdle();
  })));
  const copied = await copyLink(fromDisk);
  await tab.bringToFront();
  assert.strictEqual(copied.text, '#at=k1.s2');
  assert.match(copied.said, /^Copied this moment rather than the address: opened from a file/);
  for (const [text, how, note] of [[copied.text, 'Enter', /^$/],
    [`file:///elsewhere/camera-demo.html#at=s3.p${'A'.repeat(96)}`, 'button', /pose in the link is not one/]]) {
    await tab.$eval('#moment-text', (field) => { field.value = ''; field.focus(); });
    const before = await h.programState(tab);
    await tab.keyboard.type(text);
    assert.deepStrictEqual(await h.programState(tab), before, 'keys typed into the field stay there');
    await (how === 'Enter' ? tab.keyboard.press('Enter') : tab.click('#open-moment button'));
    assert.match(await tab.$eval('#link-note', (e) => e.textContent), note);
    if (how === 'Enter') assert.deepStrictEqual(await h.programState(tab), await h.programState(fromDisk));
  }
  assert.strictEqual((await h.programState(tab)).head, 0, 'a refused moment starts at the beginning');
  assert.deepStrictEqual([...tab.errors, ...fromDisk.errors], []);
  await tab.close();
  await fromDisk.close();
});
