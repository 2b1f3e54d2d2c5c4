// A random round trip: many random sessions, each one's link (as Copy link
// gives it) opened fresh, must show the same state, trail and picture. The
// seed is printed; LINK_SEED=<n> (and LINK_SESSIONS=<count>) replays a run.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert');
const path = require('path');
const { pathToFileURL } = require('url');
const h = require('./harness');

const page = process.env.WEB_PAGE || path.join(__dirname, '../../build-web/page');
const seed = Number(process.env.LINK_SEED || 20261209);
const sessions = Number(process.env.LINK_SESSIONS || 4);
const moments = 6;
let session;
before(async () => { session = await h.session(page); });
after(() => session.close());

// mulberry32: small, and the same numbers in every engine and Node.
function generator(state) {
  return () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = Math.imul(state ^ (state >>> 15), state | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// GLUT's codes, as the page's buttons send them.
const key = { mode: [false, 110], space: [false, 32], F1: [true, 1], F2: [true, 2], F3: [true, 3], F4: [true, 4],
              zoomIn: [true, 104], zoomOut: [true, 105], home: [true, 106], left: [true, 100], up: [true, 101],
              right: [true, 102], down: [true, 103] };

// One random session's actions; `merged` counts runs of two or more mode keys.
function actions(random, counts) {
  const pick = (n) => Math.floor(random() * n);
  const list = [];
  for (let i = 0, n = 2 + pick(6); i < n; ++i) {
    const r = random();
    if (r < 0.35) {
      // Idle calls as frames make them: at pace p a step every p calls. A
      // long run resumes first, as a pause would leave it nothing to run.
      const long = random() < 0.5;
      list.push({ idle: long ? 800 + pick(2400) : 1 + pick(40), resume: long });
    } else if (r < 0.55) {
      const presses = 1 + pick(7);
      if (presses > 1) ++counts.merged;
      list.push({ keys: Array(presses).fill(key.mode) });
    } else if (r < 0.67) {
      list.push({ drag: random() < 0.5 ? 'left' : 'right', moves: Array.from({ length: 1 + pick(4) },
        () => [pick(301) - 150, pick(201) - 100]) });
    } else {
      const some = [key.home, key.F3, key.F4, key.zoomIn, key.zoomOut, key.space, key.F1, key.F2,
                    key.left, key.up, key.right, key.down];
      list.push({ keys: Array(1 + pick(3)).fill(some[pick(some.length)]) });
    }
  }
  return list;
}

async function perform(tab, list) {
  const box = await (await tab.$('canvas')).boundingBox();
  for (const action of list) {
    if (action.idle) {
      await tab.evaluate((n, resume) => {
        if (resume && !Module.view().animating) Module.sendKey(false, 32);
        for (let i = 0; i < n; ++i) Module.callProgram(() => Module._programIdle());
      }, action.idle, action.resume);
    } else if (action.keys) {
      await tab.evaluate((keys) => keys.forEach(([special, code]) => Module.sendKey(special, code)), action.keys);
    } else {
      let x = box.x + 200, y = box.y + 200;
      await tab.mouse.move(x, y);
      await tab.mouse.down({ button: action.drag });
      for (const [dx, dy] of action.moves) await tab.mouse.move(x += dx, y += dy, { steps: 2 });
      await tab.mouse.up({ button: action.drag });
    }
  }
}

// The picture the program draws now, as a digest of its pixels read back
// in the page (reading them out to compare would take far longer).
const picture = (tab) => tab.evaluate(() => {
  Module._programDisplay();
  const gl = Module.ctx;
  const rgba = new Uint8Array(gl.drawingBufferWidth * gl.drawingBufferHeight * 4);
  gl.readPixels(0, 0, gl.drawingBufferWidth, gl.drawingBufferHeight, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
  let hash = 0x811c9dc5;
  for (let i = 0; i < rgba.length; ++i) hash = Math.imul(hash ^ rgba[i], 0x01000193);
  return `${gl.drawingBufferWidth}x${gl.drawingBufferHeight} ${hash >>> 0} ${gl.getError()}`;
});

// A few sessions, each a run of moments: after every few actions the link
// Copy link gives, opened fresh.
test(`random sessions' links open at the same state, trail and picture (seed ${seed})`, async () => {
  console.log(`links.test.js: seed ${seed}, ${sessions} sessions of ${moments} moments ` +
              `(LINK_SEED=${seed} replays them)`);
  const random = generator(seed);
  const counts = { merged: 0, cut: 0, radius: 0, swing: 0, high: 0 };
  for (let i = 0; i < sessions; ++i) {
    const tab = await h.openPage(session.browser, session.url);
    // The record as it is before shortening, to see which of its paths the link took.
    await tab.evaluate(() => {
      const raw = new Moment.Recorder([], Module.view(), () => {});
      const shown = Module.onView;
      Module.onView = (view) => { shown(view); raw.observe(view); };
      window.rawRecord = raw.record;
      navigator.clipboard.writeText = (text) => { window.copied = text; return Promise.resolve(); };
    });
    const done = [];
    for (let j = 0; j < moments; ++j) {
      const list = actions(random, counts);
      done.push(...list);
      await perform(tab, list);
      await tab.click('#copy-link');
      const { link, cut, parts } = await tab.evaluate(() => ({
        link: window.copied, cut: Moment.cutOf(window.rawRecord), parts: window.rawRecord.length }));
      const what = `session ${i}, moment ${j} (seed ${seed}): ${JSON.stringify(done)}\n${link}`;
      assert.match(await tab.$eval('#status', (e) => e.textContent), /^Copied: the link opens this moment/, what);
      const shortened = new URL(link).hash.replace(/^#at=([^&]*).*|.*/, '$1').split('.').length < parts;
      if (cut && shortened) {
        ++counts.cut;
        if (cut.radiusStep > 0) ++counts.radius;
        if (cut.elevation.kind !== 'zero') ++counts[cut.elevation.kind];
      }
      const opened = await h.openPage(session.browser, link);
      assert.deepStrictEqual(await h.programState(opened), await h.programState(tab), what);
      assert.strictEqual(await picture(opened), await picture(tab), `the same picture: ${what}`);
      assert.strictEqual(await opened.$eval('#link-note', (e) => e.textContent), '', what);
      assert.deepStrictEqual([...tab.errors, ...opened.errors], [], what);
      await opened.close();
    }
    await tab.close();
  }
  console.log(`links.test.js: shortening paths taken: ${JSON.stringify(counts)}`);
  // Every path of the shortening: the cut, the steps that wrote the radius
  // and the two elevations kept, and mode keys merged.
  for (const [path, count] of Object.entries(counts)) assert.ok(count > 0, `no session took the path "${path}"`);
});

// Copy link's text, from a click, with the clipboard stood in for.
async function copyLink(tab) {
  await tab.evaluate(() => {
    navigator.clipboard.writeText = (text) => { window.copied = text; return Promise.resolve(); };
  });
  await tab.click('#copy-link');
  return tab.evaluate(() => ({ text: window.copied, said: document.getElementById('status').textContent }));
}

test('Copy link: the moment\'s own link where the address cannot follow, and the limit a moment passes', async () => {
  const tab = await h.openPage(session.browser, session.url);
  // A browser that refuses every change of the address, for a while.
  await tab.evaluate(() => {
    history.replaceState = () => { throw new DOMException('Too many calls', 'SecurityError'); };
    for (let i = 0; i < 5; ++i) Module.callProgram(() => Module._programIdle());
  });
  await new Promise((resolve) => setTimeout(resolve, 300));
  let copied = await copyLink(tab);
  assert.strictEqual(copied.text, `${session.url}#at=s5`);
  assert.match(copied.said, /^Copied: the link opens this moment/);
  assert.strictEqual(await tab.evaluate(() => location.hash), '', 'the address stayed behind');
  await tab.evaluate(() => { delete history.replaceState; });
  await tab.waitForFunction(() => location.hash === '#at=s5', { timeout: 3000, polling: 50 });
  // Zooms in and out, each one part: one part more than a link may have.
  await tab.evaluate(() => {
    for (let i = 0; i < 2001; ++i) Module.sendKey(true, i % 2 ? 105 : 104);
  });
  copied = await copyLink(tab);
  assert.match(copied.said, /^Copied, but it will not open this moment\. The link.s moment has 2002 parts, more than the 2000/);
  assert.deepStrictEqual(tab.errors, []);
  await tab.close();
});

test('opened from disk, Copy link gives the moment itself, and Open a moment brings another copy to it', async () => {
  const fromDisk = await h.openPage(session.browser, pathToFileURL(path.join(page, 'camera-demo.html')).href);
  await fromDisk.evaluate(() => {
    for (let i = 0; i < 7; ++i) Module.callProgram(() => Module._programIdle());
    Module.sendKey(false, 110);
    Module.sendKey(true, 104);
  });
  const copied = await copyLink(fromDisk);
  assert.strictEqual(copied.text, '#at=s7.k1.i1&paused');  // the zoom holds the camera
  assert.match(copied.said, /^Copied this moment rather than the address: opened from a file/);
  const tab = await h.openPage(session.browser, session.url);
  const open = async (text, how) => {
    await tab.$eval('#moment-text', (field) => { field.value = ''; });
    await tab.focus('#moment-text');
    const before = await h.programState(tab);
    await tab.keyboard.type(text);
    assert.deepStrictEqual(await h.programState(tab), before, 'keys typed into the field stay there');
    await Promise.all([tab.waitForNavigation(), how === 'Enter' ? tab.keyboard.press('Enter') : tab.click('#open-moment button')]);
    await tab.waitForFunction(() => window.Module && Module.calledRun && Module.ctx, { polling: 20 });
  };
  await open(copied.text, 'Enter');
  assert.deepStrictEqual(await h.programState(tab), await h.programState(fromDisk));
  // A whole link to another copy, with a crafted pose: refused as a link's would be.
  await open(`file:///elsewhere/camera-demo.html#at=s3.p${'A'.repeat(96)}`, 'button');
  assert.match(await tab.$eval('#link-note', (e) => e.textContent), /pose in the link is not one the camera can have/);
  assert.strictEqual((await h.programState(tab)).head, 0);
  assert.deepStrictEqual([...tab.errors, ...fromDisk.errors], []);
  await tab.close();
  await fromDisk.close();
});
