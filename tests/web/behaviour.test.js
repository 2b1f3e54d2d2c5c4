// The page as a user meets it: real key presses, mouse and window sizes,
// with animation frames run only when the test pumps them.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert');
const path = require('path');
const h = require('./harness');

const page = process.env.WEB_PAGE || path.join(__dirname, '../../build-web/page');
let session;
before(async () => { session = await h.session(page); });
after(() => session.close());

// Runs the queued animation frames; pump() also reads the picture.
const pump = (tab) => h.frameAfter(tab, () => { window.lastPump = window.pumpFrames(); });
const pumpOnly = (tab) => tab.evaluate(() => { window.lastPump = window.pumpFrames(); });
const pumped = (tab) => tab.evaluate(() => window.lastPump);
const leftView = (frame) => frame.rgb.subarray(0, frame.width * 3 * 395);

// The caption's right end: the last column of the caption's grey in the
// band of rows where the text lies, or -1.
function captionEnd(frame) {
  let end = -1;
  for (let y = 5; y < 25; ++y)
    for (let x = 405; x < frame.width; ++x) {
      const [r, g, b] = h.pixel(frame, x, y);
      if (r === g && g === b && r > 100 && r < 160) end = Math.max(end, x);
    }
  return end;
}

test('space pauses with no animation frame requested, and resumes', async () => {
  const tab = await h.openPage(session.browser, session.url);
  const first = await pump(tab);
  const second = await pump(tab);
  assert.strictEqual(await pumped(tab), 1);
  assert.notDeepStrictEqual(leftView(first), leftView(second), 'the camera moves while running');

  await tab.keyboard.press('Space');
  const paused = await pump(tab);  // the redisplay that the key asked for
  assert.strictEqual(await pumped(tab), 1);
  for (let i = 0; i < 3; ++i) {
    await pumpOnly(tab);
    assert.strictEqual(await pumped(tab), 0, 'a paused page asks for no animation frames');
  }

  await tab.keyboard.press('Space');
  await pumpOnly(tab);
  const resumed = await pump(tab);
  assert.strictEqual(await pumped(tab), 1);
  assert.notDeepStrictEqual(leftView(resumed), leftView(paused));
  assert.deepStrictEqual(tab.errors, []);
  await tab.close();
});

test('mode keys change the caption, whose width follows its length', async () => {
  const tab = await h.openPage(session.browser, session.url);
  const lengths = [14, 14, 34, 61, 31, 14];  // modes 0..4, then 0 again
  for (let mode = 0; mode < lengths.length; ++mode) {
    if (mode > 0) await tab.keyboard.press(['a', 'Enter', 'Z', 'Tab', '7'][mode - 1]);
    await pumpOnly(tab);
    const end = captionEnd(await pump(tab));
    // 8 pixels a character from about x = 438, cut off at the window's edge.
    const expected = Math.min(437 + 8 * lengths[mode], 799);
    assert.ok(Math.abs(end - expected) <= 8, `mode ${mode}: caption ends at ${end}, not near ${expected}`);
  }
  await tab.close();
});

test('Escape ends the program with status 1 and nothing runs after it', async () => {
  const tab = await h.openPage(session.browser, session.url);
  await pumpOnly(tab);
  await tab.keyboard.press('Escape');
  assert.strictEqual(await tab.$eval('#status', (e) => e.textContent), 'The program ended with status 1.');
  await pumpOnly(tab);  // the frame that was already asked for finds the program ended
  await tab.keyboard.press('Space');
  await tab.keyboard.press('a');
  await tab.mouse.click(100, 100);
  await pumpOnly(tab);
  assert.strictEqual(await pumped(tab), 0, 'no key or button asks for a frame any more');
  assert.deepStrictEqual(tab.errors, []);
  await tab.close();
});

test('resizing to tiny sizes and back draws the full frame again without a WebGL error', async () => {
  const tab = await h.openPage(session.browser, session.url);
  await pumpOnly(tab);
  await tab.keyboard.press('Space');
  const before = await pump(tab);
  const resize = async (width, height) => {
    await tab.$eval('#window', (e, w, hh) => { e.style.width = `${w}px`; e.style.height = `${hh}px`; }, width, height);
    await tab.waitForFunction((w, hh) => Module.canvas.width === w && Module.canvas.height === hh,
                              { timeout: 5000, polling: 20 }, width, height);
    return pump(tab);
  };
  for (const [width, height] of [[1, 1], [0, 0], [19, 4], [0, 400], [800, 0]]) {
    const frame = await resize(width, height);
    assert.strictEqual(frame.glError, 0, `WebGL error at ${width} x ${height}`);
  }
  const restored = await resize(800, 400);
  assert.strictEqual(restored.glError, 0);
  assert.deepStrictEqual(restored.rgb, before.rgb, 'the full frame comes back as it was');
  assert.deepStrictEqual(tab.errors, []);
  await tab.close();
});

test('keys and buttons reach GLUT with the codes it gives on the desktop', async () => {
  const tab = await h.openPage(session.browser, session.url);
  await tab.evaluate(() => {
    window.seen = [];
    for (const name of ['_webKey', '_webSpecialKey', '_webMouse', '_webMotion']) {
      // The module's first-call wrapper puts the raw export in its place:
      // the spy takes that and puts itself back.
      let real = Module[name];
      const spy = (...args) => {
        window.seen.push([name.slice(4), ...args]);
        const result = real(...args);
        if (Module[name] !== spy) [real, Module[name]] = [Module[name], spy];
        return result;
      };
      Module[name] = spy;
    }
  });
  const keys = async (...names) => {
    for (const name of names) await tab.keyboard.press(name);
  };
  const box = await (await tab.$('canvas')).boundingBox();
  await tab.mouse.move(box.x + 100, box.y + 50);
  await keys('a', 'A', 'Enter', 'Tab', 'Backspace', 'Delete', 'F1', 'ArrowLeft', 'Home', 'PageDown');
  await tab.keyboard.down('Control');
  await keys('c');
  await tab.keyboard.up('Control');
  await tab.mouse.down({ button: 'right' });
  await tab.mouse.move(box.x + 120, box.y + 60);
  await tab.mouse.up({ button: 'right' });
  await tab.mouse.wheel({ deltaY: -100 });
  const seen = await tab.evaluate(() => window.seen.map((call) => call.slice(0, 3).join(' ')));
  assert.deepStrictEqual(seen, [
    'Key 97 100', 'Key 65 100', 'Key 13 100', 'Key 9 100', 'Key 8 100', 'Key 127 100',
    'SpecialKey 1 100', 'SpecialKey 100 100', 'SpecialKey 106 100', 'SpecialKey 105 100',
    'SpecialKey 114 100', 'Key 3 100',
    'Mouse 2 0', 'Motion 120 60', 'Mouse 2 1', 'Mouse 3 0', 'Mouse 3 1',
  ]);
  await tab.close();
});

test('the hand: a drag turns the camera and holds it, F1 shows the controls and hides them again', async () => {
  const tab = await h.openPage(session.browser, session.url);
  const before = await pump(tab);
  const box = await (await tab.$('canvas')).boundingBox();
  await tab.mouse.move(box.x + 200, box.y + 200);
  await tab.mouse.down();
  await tab.mouse.move(box.x + 260, box.y + 180, { steps: 3 });
  await tab.mouse.up();
  const turned = await pump(tab);
  assert.strictEqual(await pumped(tab), 1);
  await pumpOnly(tab);
  assert.strictEqual(await pumped(tab), 0, 'the hand holds the camera: no more animation frames');
  assert.notDeepStrictEqual(leftView(turned), leftView(before));

  await tab.keyboard.press('F1');
  const shown = await pump(tab);
  assert.notDeepStrictEqual(shown.rgb, turned.rgb, 'F1 draws the controls');
  await tab.keyboard.press('F1');
  const hidden = await pump(tab);
  assert.deepStrictEqual(hidden.rgb, turned.rgb, 'a second F1 takes them away');
  assert.strictEqual(hidden.glError, 0);
  assert.deepStrictEqual(tab.errors, []);
  await tab.close();
});
