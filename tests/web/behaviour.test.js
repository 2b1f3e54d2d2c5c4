// The page as a user meets it: real key presses, mouse and window sizes,
// with animation frames run only when the test pumps them.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const { pathToFileURL } = require('url');
const h = require('./harness');

const page = process.env.WEB_PAGE || path.join(__dirname, '../../build-web/page');
let session;
before(async () => { session = await h.session(page); });
// The page's own logic runs once, in Chromium; the other engines run what may differ between engines.
const once = h.onlyIn(['chromium'], 'run in one engine, to keep the others short');
// The clipboard stood in for: a browser writes it only for the page that has
// the focus, which a loaded machine may give a new tab late or not at all.
const standInClipboard = (tab) =>
  tab.evaluate(() => { navigator.clipboard.writeText = async (text) => { window.copied = text; }; });
after(() => session.close());

// Runs the queued animation frames; pump() also reads the picture.
const pump = (tab) => h.frameAfter(tab, () => { window.lastPump = window.pumpFrames(); });
const pumpOnly = (tab) => tab.evaluate(() => { window.lastPump = window.pumpFrames(); });
const pumped = (tab) => tab.evaluate(() => window.lastPump);
const leftView = (frame) => frame.rgb.subarray(0, frame.width * 3 * 395);
const text = (tab, selector) => tab.$eval(selector, (e) => e.textContent);
// The pages said no error; they close one by one (a WebDriver session switches windows to close one).
const closeClean = async (...tabs) => {
  assert.deepStrictEqual(tabs.flatMap((tab) => tab.errors), []);
  for (const tab of tabs) await tab.close();
};
const keys = async (tab, ...names) => {
  for (const name of names) await tab.keyboard.press(name);
};
// The left button held from one point of the canvas to another, in steps of the mouse.
const dragCanvas = async (tab, [fromX, fromY], [toX, toY], steps = 1) => {
  const box = await (await tab.$('canvas')).boundingBox();
  await tab.mouse.move(box.x + fromX, box.y + fromY);
  await tab.mouse.down();
  await tab.mouse.move(box.x + toX, box.y + toY, { steps });
  await tab.mouse.up();
};

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

// How many rows the caption's grey spans, in the top tenth of the right view.
function captionRows(frame) {
  const rows = new Set();
  for (let y = 0; y < frame.height / 10; ++y)
    for (let x = frame.width / 2; x < frame.width; ++x)
      if (h.pixel(frame, x, y).every((c, _, [r]) => c === r && c > 100 && c < 160)) rows.add(y);
  return rows.size;
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
  await closeClean(tab);
});

test('mode keys change the caption, whose width follows its length', once, async () => {
  const tab = await h.openPage(session.browser, session.url);
  const lengths = [14, 14, 34, 61, 31, 14];  // modes 0..4, then 0 again
  for (let mode = 0; mode < lengths.length; ++mode) {
    if (mode > 0) await tab.keyboard.press(['a', 'Enter', 'Z', 'Backspace', '7'][mode - 1]);
    await pumpOnly(tab);
    const end = captionEnd(await pump(tab));
    // 8 pixels a character from about x = 438, cut off at the window's edge.
    const expected = Math.min(437 + 8 * lengths[mode], 799);
    assert.ok(Math.abs(end - expected) <= 8, `mode ${mode}: caption ends at ${end}, not near ${expected}`);
  }
  await tab.close();
});

test('Escape ends the program with status 1 and nothing runs after it', once, async () => {
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
  // Nor does an address changed in the tab, a stop of the tour among them.
  await tab.evaluate(() => { location.hash = '#tour=3'; });
  await new Promise((resolve) => setTimeout(resolve, 300));
  assert.deepStrictEqual(await tab.evaluate(() => [location.hash, document.getElementById('tour').hidden]),
                         ['#tour=3', true]);
  await closeClean(tab);
});

test('a resize draws the new size before the browser paints, down to tiny sizes and back', once, async () => {
  const tab = await h.openPage(session.browser, session.url);
  await pumpOnly(tab);
  await tab.keyboard.press('Space');
  const before = await pump(tab);
  // Read by a resize observer made after the page's: no animation frame
  // runs in between, so the page must have drawn in its own.
  await tab.evaluate(() => new ResizeObserver(() => window.resized?.()).observe(Module.canvas.parentElement));
  const resize = (width, height) => h.frameAfter(tab, (w, hh) => new Promise((resolve) => {
    window.resized = resolve;
    Object.assign(Module.canvas.parentElement.style, { width: `${w}px`, height: `${hh}px` });
  }), width, height);
  for (const [width, height] of [[1, 1], [0, 0], [19, 4], [0, 400], [800, 0]]) {
    const frame = await resize(width, height);
    assert.strictEqual(frame.glError, 0, `WebGL error at ${width} x ${height}`);
  }
  const restored = await resize(800, 400);
  assert.strictEqual(restored.glError, 0);
  assert.deepStrictEqual(restored.rgb, before.rgb, 'the full frame comes back as it was');
  await closeClean(tab);
});

// Without the Fullscreen API (Safari on a phone) the frame fills the viewport instead, alike.
test('full screen draws the window larger, centred and whole; Escape and the button leave it as it was', async () => {
  for (const api of [true, false]) {
    const prepare = api ? () => {} : () => {
      delete Element.prototype.requestFullscreen;
      Object.defineProperty(Document.prototype, 'fullscreenEnabled', { get: () => false });
    };
    const tab = await h.openPage(session.browser, session.url, { viewport: { width: 1920, height: 1080 }, prepare });
    await pumpOnly(tab);
    await tab.keyboard.press('Space');
    const before = await pump(tab);
    await tab.evaluate(() => {
      window.calls = [];
      for (const name of ['_programLoopResize', '_programLoopSpecialKey']) {
        const real = Module[name];  // for a key, a first-call wrapper that drops the spy: one key only
        Module[name] = (...args) => window.calls.push([name.slice(12), ...args].join(' ')) && real(...args);
      }
      const page = Module.onFullScreen;
      Module.onFullScreen = (on) => (window.calls.push(`onFullScreen ${on}`), page(on), window.changed());
    });
    // The picture as the page hears of the change, before the browser paints.
    // The act waits until the page listens: a click or key may otherwise
    // overtake the script that listens, and the change go unheard.
    const change = async (act) => {
      await tab.evaluate(() => { window.changed = null; });
      const frame = h.frameAfter(tab, () => new Promise((done) => { window.changed = done; }));
      await tab.waitForFunction(() => typeof window.changed === 'function');
      return (await act(), frame);
    };
    const enter = () => change(() => tab.click('#fullscreen'));
    const full = await enter();
    // The screen: the viewport in headless Chromium, the virtual X server's or the window's elsewhere.
    const screen = await tab.evaluate((frame = Module.canvas.parentElement) =>
      [frame.clientWidth, frame.clientHeight, document.fullscreenElement === frame]);
    assert.strictEqual(screen.pop(), api, "the browser's full screen where it has one");
    const scale = Math.min(screen[0] / 800, screen[1] / 400), size = [800 * scale, 400 * scale];
    assert.deepStrictEqual([full.width, full.height, full.glError], [...size, 0], "the screen's width at 2 : 1");
    const box = await tab.evaluate(() => Object.values(Module.canvas.getBoundingClientRect().toJSON()));
    const at = [(screen[0] - size[0]) / 2, (screen[1] - size[1]) / 2];
    assert.deepStrictEqual(box.slice(0, 4), [...at, ...size], 'centred, all of it on the screen');
    const rows = [captionRows(before), captionRows(full)];
    assert.ok(rows[0] > 0 && rows[1] >= 2 * rows[0], `the caption's rows: ${rows}`);
    // The window's (100, 50), told with a key the program ignores.
    await tab.mouse.move(at[0] + 100 * scale, at[1] + 50 * scale);
    await tab.keyboard.press('F9');
    const escaped = await change(() => tab.keyboard.press('Escape'));
    assert.strictEqual(await text(tab, '#status'), '', 'Escape left full screen only');
    await enter();
    assert.strictEqual(await text(tab, '#fullscreen'), 'Leave full screen');
    // The bar of the lesson's controls, in either kind, large enough for a finger.
    assert.strictEqual(await tab.evaluate(() => Array.from(document.querySelectorAll('#fullscreen-bar button'), (b) =>
      (({ width, height, top }) => width >= 44 && height >= 44 && top >= 0)(b.getBoundingClientRect()) && b.textContent)
      .join()), 'Resume,Step,Next demonstration,Drag turns by angles,Leave full screen');
    const left = await change(() => tab.click('#leave-fullscreen'));
    assert.strictEqual(await text(tab, '#fullscreen'), 'Full screen');
    for (const back of [escaped, left]) assert.deepStrictEqual([back.glError, back.rgb], [0, before.rgb]);
    const entered = [`Resize 800 400 ${scale}`, 'onFullScreen true'];
    const ended = ['Resize 800 400 1', 'onFullScreen false'];
    assert.deepStrictEqual(await tab.evaluate(() => window.calls),
                           [...entered, 'SpecialKey 9 100 50', ...ended, ...entered, ...ended]);
    await closeClean(tab);
  }
});

// From now on the keys, buttons and motion that reach the program, as
// window.seen; seen() reads them, each as its name and two first values.
const spyOnInput = (tab) => tab.evaluate(() => {
  window.seen = [];
  for (const name of ['_programLoopKey', '_programLoopSpecialKey', '_programLoopMouse', '_programLoopMotion']) {
    // The module's first-call wrapper puts the raw export in its place:
    // the spy takes that and puts itself back.
    let real = Module[name];
    const spy = (...args) => {
      window.seen.push([name.slice(12), ...args]);
      const result = real(...args);
      if (Module[name] !== spy) [real, Module[name]] = [Module[name], spy];
      return result;
    };
    Module[name] = spy;
  }
});
const seen = (tab) => tab.evaluate(() => window.seen.map((call) => call.slice(0, 3).join(' ')));

test('keys and buttons reach GLUT with the codes it gives on the desktop',
     h.onlyIn(['chromium'], 'touch emulation'), async () => {
  const tab = await h.openPage(session.browser, session.url);
  await spyOnInput(tab);
  const box = await (await tab.$('canvas')).boundingBox();
  await tab.mouse.move(box.x + 100, box.y + 50);
  await tab.evaluate(() => {
    window.prevented = [];
    window.addEventListener('keydown', (e) => window.prevented.push(`${e.key} ${e.defaultPrevented}`));
  });
  await tab.focus('canvas');
  await keys(tab, 'a', 'A', 'Enter', 'Tab', 'Backspace', 'Delete', 'F1', 'F2', 'F3', 'F4', 'F5', 'F11', 'ArrowLeft',
             'Home', 'PageDown');
  // Tab reaches the program no more, only the first button.
  assert.strictEqual(await tab.evaluate(() => document.activeElement.textContent), 'Next demonstration');
  await tab.keyboard.down('Control');
  await keys(tab, 'c');
  await tab.keyboard.up('Control');
  await tab.mouse.down({ button: 'right' });
  await tab.mouse.move(box.x + 120, box.y + 60);
  await tab.mouse.up({ button: 'right' });
  await tab.mouse.wheel({ deltaY: -100 });
  // Deltas add up to notches: 120 pixels up, a turn down that drops the 90 left over, 7 lines, a page up.
  await tab.evaluate((clientX, clientY) => {
    for (const [deltaY, deltaMode] of [[-40, 0], [-40, 0], [-40, 0], [-70, 0], [30, 0], [80, 0], [7, 1], [-1, 2]])
      Module.canvas.dispatchEvent(new WheelEvent('wheel', { deltaY, deltaMode, clientX, clientY, bubbles: true }));
  }, box.x + 10, box.y + 10);
  await tab.mouse.down();  // a drag that the page loses the focus in ends there
  await tab.evaluate(() => window.dispatchEvent(new Event('blur')));
  await tab.mouse.move(box.x + 130, box.y + 70);
  await tab.mouse.up();
  // The buttons that send keys (full screen and the link have tests of their own).
  await tab.$$eval('#controls button:not(#fullscreen):not(#copy-link)', (buttons) => buttons.forEach((b) => b.click()));
  // One finger, then two that pinch: the spread from 40 to 100 pixels four
  // wheel steps up of 1.25 each and no turn, then the one finger again.
  const first = await tab.touchscreen.touchStart(box.x + 100, box.y + 100);
  const second = await tab.touchscreen.touchStart(box.x + 140, box.y + 100);
  await second.move(box.x + 200, box.y + 100);
  await second.end();
  await first.end();
  // A finger during a mouse drag, and the mouse during a finger's, send nothing.
  await tab.mouse.down();
  await (await tab.touchscreen.touchStart(box.x + 200, box.y + 100)).end();
  await tab.mouse.move(box.x + 120, box.y + 60);
  await tab.mouse.up();
  const touch = await tab.touchscreen.touchStart(box.x + 200, box.y + 100);
  await tab.mouse.down();
  await tab.mouse.up();
  await touch.move(box.x + 210, box.y + 100);
  await touch.end();
  // Two fingers moved alike, one at a time and quickly: nothing until both
  // have moved and their centre has moved 15 pixels, then the right button
  // and no zoom, though the first finger alone looked like a pinch.
  const fingers = [await tab.touchscreen.touchStart(box.x + 100, box.y + 100),
                   await tab.touchscreen.touchStart(box.x + 140, box.y + 100)];
  for (const dx of [15, 30])
    for (const i of [0, 1]) await fingers[i].move(box.x + 100 + 40 * i + dx, box.y + 100);
  for (const finger of fingers.reverse()) await finger.end();
  const notches = (...buttons) => buttons.flatMap((button) => [`Mouse ${button} 0`, `Mouse ${button} 1`]);
  assert.deepStrictEqual(await seen(tab), [
    'Key 97 100', 'Key 65 100', 'Key 13 100', 'Key 8 100', 'Key 127 100', 'SpecialKey 1 100', 'SpecialKey 2 100',
    'SpecialKey 3 100', 'SpecialKey 4 100', 'SpecialKey 5 100', 'SpecialKey 100 100', 'SpecialKey 106 100',
    'SpecialKey 105 100', 'SpecialKey 114 100', 'Key 3 100',
    'Mouse 2 0', 'Motion 120 60', 'Mouse 2 1', ...notches(3, 3, 4, 4, 4, 3), 'Mouse 0 0', 'Mouse 0 1',
    // The buttons, each as its key: a mode key, space, F3, Home, Page Up and Down, F1, F2, and the
    // speeds as F4 as many times as it takes from the one before: full (from the 1/2 that F4 above
    // left, three), 1/2, 1/4, 1/8.
    'Key 110 130', 'Key 32 130', 'SpecialKey 3 130', 'SpecialKey 106 130', 'SpecialKey 104 130',
    'SpecialKey 105 130', 'SpecialKey 1 130', 'SpecialKey 2 130', ...Array(6).fill('SpecialKey 4 130'),
    'Mouse 0 0', 'Mouse 0 1', ...notches(3, 3, 3, 3), 'Mouse 0 0', 'Mouse 0 1',
    'Mouse 0 0', 'Motion 120 60', 'Mouse 0 1', 'Mouse 0 0', 'Motion 210 100', 'Mouse 0 1',
    'Mouse 0 0', 'Mouse 0 1', 'Mouse 2 0', 'Motion 135 100', 'Motion 142 100', 'Motion 150 100', 'Mouse 2 1',
    'Mouse 0 0', 'Mouse 0 1',
  ]);
  // F1 to F4 belong to the page; Tab, F11, other function keys and shortcuts to the browser.
  const prevented = await tab.evaluate(() => window.prevented.filter((k) => /^(F\d|c|Tab)/.test(k)));
  assert.deepStrictEqual(prevented, ['Tab false', 'F1 true', 'F2 true', 'F3 true', 'F4 true', 'F5 false', 'F11 false',
                                     'c false']);
  await tab.close();
});

test('the hand: a drag turns the camera and holds it, F1 shows the controls and hides them again', async () => {
  const tab = await h.openPage(session.browser, session.url);
  const before = await pump(tab);
  await dragCanvas(tab, [200, 200], [260, 180], 3);
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
  await closeClean(tab);
});

test('on a phone the frame fits the screen, and a finger orbits and holds the camera',
     h.onlyIn(['chromium'], 'touch and phone emulation'), async () => {
  const tab = await h.openPage(session.browser, session.url, { viewport: h.phone });
  assert.ok(await tab.evaluate(() => document.documentElement.scrollWidth <= innerWidth), 'no sideways scrolling');
  const before = await pump(tab);
  assert.deepStrictEqual([before.width, before.height], [374, 187], "the screen's width, at 2 : 1");
  const box = await (await tab.$('canvas')).boundingBox();
  const finger = await tab.touchscreen.touchStart(box.x + 100, box.y + 100);
  await finger.move(box.x + 130, box.y + 90);
  await finger.end();
  const turned = await pump(tab);
  await pumpOnly(tab);
  assert.strictEqual(await pumped(tab), 0, 'the finger holds the camera');
  assert.notDeepStrictEqual(turned.rgb, before.rgb);
  assert.strictEqual(await text(tab, '#pause'), 'Resume');
  // The picture stays in view while the last demonstration is chosen, the words are a link away, and on
  // its side the phone shows the whole picture.
  const inView = (selector) => tab.$eval(selector, (e, r = e.getBoundingClientRect()) =>
    r.top > -1 && r.bottom < innerHeight + 1);
  assert.ok(await inView('#to-words'), 'the link to the words');
  const last = await tab.$('#demonstrations li:last-child button');
  await last.evaluate((button) => button.scrollIntoView({ block: 'center' }));
  await last.click();
  await tab.waitForFunction(() => Module.view().mode === 4, { timeout: 2000 });
  assert.ok(await inView('canvas'), 'the picture while choosing');
  await tab.setViewport({ ...h.phone, width: 844, height: 390 });
  await tab.$eval('canvas', (c) => c.scrollIntoView());
  assert.ok(await inView('canvas'), 'the whole picture on a phone on its side');
  // The narrowest phones too: the buttons, the list and the numbers wrap.
  await tab.setViewport({ ...h.phone, width: 320 });
  assert.ok(await tab.evaluate(() => document.documentElement.scrollWidth <= innerWidth), 'none at 320 either');
  await closeClean(tab);
});

test('the buttons step, pause and zoom, their names follow the program, keys on them act once', once,
     async () => {
  const tab = await h.openPage(session.browser, session.url);
  const press = async (name) => (await tab.waitForSelector(`::-p-aria(${name})`, { timeout: 2000 })).click();
  const caption = async () => {
    await pumpOnly(tab);
    return text(tab, '#caption');
  };
  assert.strictEqual(await caption(), 'A circle in XZ');
  await press('Next demonstration');
  assert.strictEqual(await caption(), 'A polar sphere');
  const box = await (await tab.$('canvas')).boundingBox();
  await tab.mouse.click(box.x + 200, box.y + 200);  // a press holds the camera
  await press('Resume');
  await press('Pause');
  await press('Resume');
  await pumpOnly(tab);
  assert.strictEqual(await pumped(tab), 1, 'running again');
  // Enter and Space work the focused button and do not reach the program too.
  await (await tab.$('::-p-aria(Next demonstration)')).focus();
  await tab.keyboard.press('Enter');
  assert.strictEqual(await caption(), 'Varying the radius of an XZ circle');
  await tab.keyboard.press('Space');
  assert.strictEqual(await caption(), 'Spinning a polar sphere from too high up (undesired behavior)');
  assert.strictEqual(await text(tab, '#pause'), 'Pause');
  // Zooming in moves the eye; zooming out brings the same picture back.
  await press('Pause');
  const paused = await pump(tab);
  await press('Zoom in');
  assert.notDeepStrictEqual(leftView(await pump(tab)), leftView(paused));
  await press('Zoom out');
  assert.deepStrictEqual((await pump(tab)).rgb, paused.rgb);
  await tab.keyboard.press('Escape');
  assert.ok(await tab.$$eval('#controls button', (all) => all.every((b) => b.disabled)), 'every button is disabled');
  await closeClean(tab);
});

test('a lost WebGL context comes back with the same picture, with words meanwhile', once, async () => {
  const tab = await h.openPage(session.browser, session.url);
  await pumpOnly(tab);
  await tab.keyboard.press('Space');
  await tab.keyboard.press('F2');
  const before = await pump(tab);
  await tab.evaluate(() => (window.loss = Module.ctx.getExtension('WEBGL_lose_context')).loseContext());
  await tab.waitForFunction(() => /being restored/.test(document.getElementById('message').textContent));
  const after = await h.frameAfter(tab, () => new Promise((resolve, reject) => {
    Module.canvas.addEventListener('webglcontextrestored', resolve, { once: true });
    setTimeout(() => reject(new Error('the context did not come back')), 5000);
    window.loss.restoreContext();
  }));
  assert.deepStrictEqual([after.glError, after.rgb], [0, before.rgb], 'drawn again as it was');
  assert.strictEqual(await text(tab, '#message'), '');
  await pumpOnly(tab);
  assert.strictEqual(await pumped(tab), 0, 'no animation step added');
  await closeClean(tab);
});

test('failures are said in words: the folder opened from disk, a browser without WebGL', once, async () => {
  for (const [url, prepare, words] of [
    [pathToFileURL(path.join(page, 'index.html')).href, () => {}, /cannot load camera-demo\.wasm.*Open camera-demo\.html/],
    [session.url, () => { HTMLCanvasElement.prototype.getContext = () => null; }, /no WebGL/]]) {
    const tab = await session.browser.newPage();
    await tab.evaluateOnNewDocument(prepare);
    await tab.goto(url);
    await tab.waitForFunction(() => document.getElementById('message').textContent !== '');
    assert.match(await text(tab, '#message'), words);
    assert.ok(await tab.$$eval('#controls button', (all) => all.every((b) => b.disabled)), 'no button works');
    await tab.close();
  }
});

const programState = h.programState;
const pumpMany = (tab, frames) => tab.evaluate((n) => { for (let i = 0; i < n; ++i) window.pumpFrames(); }, frames);
// Idle calls as the page's frames make them, without drawing each.
const idleMany = (tab, calls) => tab.evaluate((n) => {
  for (let i = 0; i < n; ++i) Module.callProgram(() => Module._programIdle());
}, calls);
const byName = async (tab, name) => (await tab.waitForSelector(`::-p-aria(${name})`, { timeout: 2000 }));
// Two pages at the same state, trail included, that draw the same picture.
const sameMoment = async (page, other, what) => {
  assert.deepStrictEqual(await programState(page), await programState(other), what);
  const pictures = await Promise.all([page, other].map((p) => h.frameAfter(p, () => Module._programDisplay())));
  assert.strictEqual(h.compare(pictures[0], pictures[1], 0).differing, 0, `${what}: the same picture`);
};
const linkOf = async (page) => {
  await new Promise((resolve) => setTimeout(resolve, 300));  // the address follows within a quarter second
  return page.evaluate(() => location.href);
};

test('a restart after a busy session gives the state, the curves and the picture of a fresh load', once, async () => {
  const [tab, fresh] = [await h.openPage(session.browser, session.url), await h.openPage(session.browser, session.url)];
  const box = await (await tab.$('canvas')).boundingBox();
  for (const key of ['n', 'n', 'n', 'F1', 'F2', 'F4', 'PageUp', 'n']) {
    await idleMany(tab, 90);
    await tab.keyboard.press(key);
  }
  await tab.keyboard.press('Space');
  await tab.mouse.move(box.x + 100, box.y + 100);
  await tab.mouse.down();
  await tab.mouse.move(box.x + 150, box.y + 60);
  await tab.evaluate(() => Module.callProgram(() => Module._programRestart()));
  await tab.mouse.move(box.x + 190, box.y + 30);  // the drag ended with the restart
  await tab.mouse.up();
  for (const steps of [0, 850]) {
    await Promise.all([tab, fresh].map((page) => idleMany(page, steps)));
    await sameMoment(tab, fresh, `${steps} steps after`);
  }
  await closeClean(tab, fresh);
});

test('the five by name, Step and the speed: chosen at once, started by a step, the same states at every pace',
     once, async () => {
  const tab = await h.openPage(session.browser, session.url);
  await pumpOnly(tab);
  await tab.keyboard.press('Space');
  const current = () => tab.$eval('#demonstrations [aria-current="true"]', (e) => e.textContent);
  await (await byName(tab, 'True examine mode using vectors')).click();
  assert.strictEqual(await current(), 'True examine mode using vectors');
  assert.strictEqual(await text(tab, '#now'),
                     'Chosen: True examine mode using vectors. It starts when the animation resumes or steps.');
  assert.strictEqual((await programState(tab)).caption, 'A circle in XZ', "the program's caption waits for a step");
  await (await byName(tab, 'Next demonstration')).click();
  assert.strictEqual(await current(), 'A circle in XZ');
  await tab.keyboard.press('a');
  assert.strictEqual(await current(), 'A polar sphere');

  await (await byName(tab, 'Step')).click();
  let state = await programState(tab);
  assert.deepStrictEqual([state.caption, state.head, state.animating], ['A polar sphere', 2, false]);
  assert.strictEqual(await text(tab, '#now'), 'Demonstration: A polar sphere');
  await tab.keyboard.press('F3');
  assert.strictEqual((await programState(tab)).head, 3, 'F3 steps too');

  // At 1/4 a step on every fourth frame: the states of a full-pace twin.
  await (await byName(tab, '1/4')).click();
  assert.strictEqual(await tab.$eval('#speed [aria-pressed="true"]', (e) => e.textContent), '1/4');
  assert.match(await text(tab, '#pace-note'), /every 4 frames/);
  await tab.keyboard.press('Space');
  await pumpMany(tab, 40);
  state = await programState(tab);
  const twin = await h.openPage(session.browser, session.url);
  await twin.evaluate(() => {
    Module._programIdle();
    Module._programKeyboard(110, 0, 0);
    for (let i = 0; i < 12; ++i) Module._programIdle();
  });
  const twinState = await programState(twin);
  assert.deepStrictEqual([state.pose, state.trail, state.floats, state.head],
                         [twinState.pose, twinState.trail, twinState.floats, twinState.head]);
  await tab.keyboard.press('F4');
  assert.strictEqual(await tab.$eval('#speed [aria-pressed="true"]', (e) => e.textContent), '1/8');
  await closeClean(tab, twin);
});

test("the page's list, speeds and words take the program's captions, paces and trail length; its sources restate no caption",
     once, async () => {
  const tab = await h.openPage(session.browser, session.url);
  const { program, shown } = await tab.evaluate(() => ({
    program: Module.program,
    shown: { list: Array.from(document.querySelectorAll('#demonstrations button'), (b) => b.textContent),
             paces: Array.from(document.querySelectorAll('#speed button'), (b) => b.textContent),
             trail: document.getElementById('trail-length').textContent } }));
  assert.deepStrictEqual(shown, { list: program.captions, paces: ['full', ...program.paces.slice(1).map((n) => `1/${n}`)],
                                  trail: String(program.trailLength) });
  const web = path.join(__dirname, '../../web');
  for (const file of fs.readdirSync(web).filter((name) => /\.(js|html)$/.test(name)).map((name) => path.join(web, name))
    .concat(path.join(page, 'index.html'))) {
    const source = fs.readFileSync(file, 'utf8');
    for (const caption of program.captions) assert.ok(!source.includes(caption), `${file} restates "${caption}"`);
  }
  await tab.close();
});

test('the server answers a path outside the page, a broken escape or a NUL with an error, and goes on serving', once,
     async () => {
  const status = async (name) => (await fetch(session.url + name)).status;
  assert.deepStrictEqual([await status('..%2f..%2f..%2fetc%2fpasswd'), await status('%E0%A4%A'),
                          await status('index.html%00.js'), await status('no-such-file'), await status('')],
                         [403, 400, 403, 404, 200]);
});

test('the numbers follow the camera at once while paused, from the start pose after Home, without announcing',
     once, async () => {
  const tab = await h.openPage(session.browser, session.url);
  await pumpMany(tab, 5);
  await (await byName(tab, 'Level the camera')).click();
  const cells = () => tab.$$eval('#numbers tbody tr', (rows) => rows.map((row) =>
    Array.from(row.cells, (cell) => cell.textContent).join(' ')));
  assert.deepStrictEqual((await cells()).slice(0, 6), [
    'Eye 0.0000 0.0000 10.000', 'Direction 0.0000 0.0000 -1.0000', 'Up 0.0000 1.0000 0.0000',
    'Angle between direction and up 90.00\u00b0', "Angle of up from the world's up (0, 1, 0) 0.00\u00b0",
    "Eye's distance from the origin 10.000"]);
  await tab.keyboard.press('Space');
  const box = await (await tab.$('canvas')).boundingBox();
  await tab.mouse.move(box.x + 100, box.y + 100);
  await tab.mouse.down();
  await tab.mouse.move(box.x + 100, box.y + 40);
  // Five figures as a learner reads them, never in exponent form, no minus on a zero.
  const pose = await tab.evaluate(() => Array.from(Module.view().pose));
  const shown = await tab.$$eval('#numbers tbody td', (all) => all.slice(0, 9).map((cell) => cell.textContent));
  shown.forEach((cell, i) => assert.ok(/^-?\d+\.\d{3,4}$/.test(cell) && cell !== '-0.0000' &&
    Math.abs(Number(cell) - pose[i]) <= 5e-5 * Math.max(1, Math.abs(pose[i])), `${cell} for ${pose[i]}`));
  assert.notStrictEqual(shown[7], '1.0000', 'up has turned');
  // The curves' newest point is the camera as the hand holds it, not the last step's.
  const upNow = await tab.$$eval('#numbers tbody tr:nth-child(5) td, #curve-values tbody tr:nth-child(2) td',
                                 (all) => [all[0], all[1]].map((cell) => cell.textContent));
  assert.ok(upNow[0] === upNow[1] && upNow[0] !== '0.00\u00b0', `up from the world's up: ${upNow}`);
  await tab.mouse.up();
  assert.ok(await tab.$$eval('#numbers th', (all) => all.every((th) => ['col', 'row'].includes(th.scope))));
  assert.strictEqual(await tab.$eval('#numbers', (table) => table.closest('[aria-live]')), null);
  await tab.close();
});

test('a link opens the moment it was made at: the same state, trail and pixels, and short without a hand',
     once, async () => {
  const tab = await h.openPage(session.browser, session.url);
  const entries = await tab.evaluate(() => history.length);
  // A long lesson: every demonstration, the examine orbit tilting the
  // camera, then more than a trail's length of the second one.
  for (const [key, frames] of [[null, 300], ['n', 200], ['n', 150], ['Enter', 10], ['7', 100], ['b', 3], ['c', 900]]) {
    if (key) await keys(tab, key, ...(key === 'c' ? ['d'] : []));
    await idleMany(tab, frames);
  }
  await keys(tab, 'F4', 'F4', 'F1', 'F2', 'PageUp', 'PageUp', 'Space', 'F3', 'PageDown', 'n');
  const restores = async (link) => {
    const opened = await h.openPage(session.browser, link);
    await sameMoment(opened, tab, link);
    assert.strictEqual(await text(opened, '#link-note'), '');
    await closeClean(opened);
  };
  // "Copy link" copies the address of this very moment, and says so.
  await standInClipboard(tab);
  await (await byName(tab, 'Copy link')).click();
  await tab.waitForFunction(() => document.getElementById('status').textContent !== '');
  assert.match(await text(tab, '#status'), /^Copied/);
  const withoutHand = await tab.evaluate(() => window.copied);
  assert.strictEqual(withoutHand, await tab.evaluate(() => location.href));
  assert.ok(new URL(withoutHand).hash.length <= 100, withoutHand);
  await restores(withoutHand);
  // The hand's pose goes in as it was; the zoom it holds comes back too.
  await dragCanvas(tab, [100, 100], [170, 60], 5);
  await keys(tab, 'PageUp');
  await restores(await linkOf(tab));
  assert.strictEqual(await tab.evaluate(() => history.length), entries, 'the address is replaced, not pushed');
  await closeClean(tab);
});

test('by angles a drag goes over the top with the world\'s up; a link keeps the switch; Start again begins anew',
     once, async () => {
  const tab = await h.openPage(session.browser, session.url);
  await pumpOnly(tab);
  // Full screen's toggle, then the page's pair.
  const pressed = (page) => page.$$eval('#bar-turning, #turning button', (all) => all.map((b) => b.ariaPressed).join(' '));
  assert.strictEqual(await pressed(tab), 'false true false');
  await (await byName(tab, 'angles')).click();
  assert.strictEqual(await pressed(tab), 'true false true');
  // Over the top by angles, 4.5 degrees a move: the eye on the far side, up the world's.
  await tab.evaluate(() => scrollTo(0, 0));
  await dragCanvas(tab, [200, 100], [200, 310], 21);
  assert.deepStrictEqual(await tab.evaluate(() => [Module.view().pose[2] < 0, Module.view().pose[7]]), [true, 1]);
  assert.ok(await tab.$eval('#hand', (e) => !e.hidden), 'the page says the hand holds the camera');
  // A link opens the same camera with the switch; Start again then gives
  // the state of a fresh page and an address with no moment.
  const link = await linkOf(tab);
  assert.match(link, /&angles$/);
  const [opened, fresh] = [await h.openPage(session.browser, link), await h.openPage(session.browser, session.url)];
  assert.deepStrictEqual(await programState(opened), await programState(tab), link);
  assert.strictEqual(await pressed(opened), 'true false true');
  await opened.bringToFront();
  await opened.click('#start-again');
  assert.deepStrictEqual(await programState(opened), await programState(fresh));
  assert.strictEqual(await pressed(opened), 'false true false');
  assert.strictEqual(await opened.evaluate(() => location.hash), '', 'written at once');
  // After Escape the program cannot run again: Start again opens the page anew.
  await (await byName(opened, 'angles')).click();
  await opened.keyboard.press('Escape');
  assert.match(await text(opened, '#ended-note'), /Start again/);
  await Promise.all([opened.waitForNavigation(), opened.click('#start-again')]);
  await opened.waitForFunction(() => window.Module && Module.calledRun && Module.ctx, { polling: 20 });
  assert.strictEqual(await opened.evaluate(() => location.hash), '');
  assert.deepStrictEqual(await programState(opened), await programState(fresh));
  await closeClean(tab, opened, fresh);
});

test('a link from a stranger: what the page cannot use is said in a sentence, and the page starts normally',
     once, async () => {
  const nan = Buffer.from(new Float64Array(9).fill(NaN).buffer).toString('base64url');
  // Poses no hand gives, each refused for its fault; and the closest to parallel a hand gives direction and
  // up (twenty presses of Up, then a mode key), taken.
  const pose = (...numbers) => 'at=p' + Buffer.from(new Float64Array(numbers).buffer).toString('base64url');
  const near = [-1.0204221597734087e-7, -9.999999999999991, -4.250364064728503e-7, 1.0204221597734087e-8,
                0.9999999999999991, 4.250364064728503e-8, 0, 1, 0];
  const crafted = [[[0, 0, 10, 0, 0, 0, 0, 1, 0], 'its direction is not of unit length'],
    [[0, 0, 10, 0, 0, -1, 0, 0, 0], 'its up is not'], [[0, 0, 10, 4e-320, 0, 0, 0, 1, 0], 'its direction is not'],
    [[0, 0, 10, 0, 0, -1, 0, 1 + 1e-8, 0], 'its up is not'], [[0, 0, 10, 0, 1, 0, 0, -1, 0], 'its direction is parallel'],
    [[0, 0, 10, 0, 1, 1e-13, 0, 1, 0], 'its direction is parallel'], [[0, Infinity, 10, 0, 0, -1, 0, 1, 0], 'not every'],
    [[2e6, 0, 0, 0, 0, -1, 0, 1, 0], 'its eye lies more than 1000000 units']]
    .map(([numbers, why]) => [pose(...numbers), new RegExp(`not one the camera can have \\(${why}`), { head: 0 }]);
  for (const [fragment, words, state] of [...crafted,
    [pose(...near), /^$/, { pose: Array.from(new Uint32Array(new Float64Array(near).buffer)).join(' ') }],
    ['at=s12.x9', /could not read the link.s moment \(at \u201cx9\u201d\)/, { head: 0, animating: true }],
    ['at=s999999999&paused', /asks for 999999999 steps.*at most 1000000/, { head: 0, animating: false }],
    ['at=s3&pace=3&F1', /pace \u201c3\u201d is not 1, 2, 4 or 8/, { head: 3, pace: 1, overlays: 'true false' }],
    [`at=p${nan}`, /pose in the link is not one the camera can have/, { head: 0 }],
    ['<img src=x onerror=window.hacked=1>&F2', /holds \u201c<img src=x onerror=window.hacked=1>\u201d/, { overlays: 'false true' }],
    ['x'.repeat(200000), /characters long/, { head: 0 }]]) {
    const tab = await h.openPage(session.browser, `${session.url}#${fragment}`);
    assert.match(await text(tab, '#link-note'), words, fragment.slice(0, 50));
    const actual = await programState(tab);
    for (const [field, value] of Object.entries(state)) assert.strictEqual(actual[field], value, `${fragment.slice(0, 50)}: ${field}`);
    assert.strictEqual(await tab.evaluate(() => document.querySelectorAll('main img').length + (window.hacked || 0)), 0);
    assert.ok(await tab.$$eval('#controls button', (all) => all.every((b) => !b.disabled)), 'the program runs');
    assert.doesNotMatch(await text(tab, '#numbers'), /NaN|Infinity/, fragment.slice(0, 50));
    await closeClean(tab);
  }
  // The numbers say a dash for what is no number, whatever reaches the camera.
  const tab = await h.openPage(session.browser, session.url);
  await tab.evaluate(() => Module.callProgram(() => Module._programSetPose(0, 0, NaN, 0, 0, 0, 0, Infinity, 0)));
  assert.doesNotMatch(await text(tab, '#numbers'), /NaN|Infinity/);
  await tab.close();
});

test('the tour: each stop is its own address opened fresh, quotes the page\'s figures; Back, a pasted address and a bad stop are followed',
     once, async () => {
  const tab = await h.openPage(session.browser, session.url);
  const entries = await tab.evaluate(() => history.length);
  const tourShown = (page) => page.$eval('#tour', (e) => (e.hidden ? '' : e.textContent));
  const sameAsFresh = async (address) => {
    const fresh = await h.openPage(session.browser, `${session.url}${address}`);
    await sameMoment(fresh, tab, address);
    assert.strictEqual(await tourShown(fresh), await tourShown(tab), `${address}: the same stop or none`);
    await closeClean(fresh);
  };
  await idleMany(tab, 30);
  await (await byName(tab, 'Take the tour')).click();
  const count = await tab.evaluate(() => Tour.stops.length);
  const states = [];
  for (let stop = 1; stop <= count; ++stop) {
    if (stop > 1) {
      await tab.focus('#tour-next');
      await tab.keyboard.press('Enter');
    }
    assert.deepStrictEqual([await tab.evaluate(() => location.hash), await text(tab, '#tour-position')],
                           [`#tour=${stop}`, `Stop ${stop} of ${count}`]);
    const { words, figures } = await tab.evaluate(() => ({
      words: document.getElementById('tour-words').textContent,
      figures: Array.from(document.querySelectorAll('#numbers td, #curve-values td'), (cell) => cell.textContent)
    }));
    for (const figure of words.match(/\d+\.\d+/g))
      assert.ok(figures.includes(figure) || figures.includes(`${figure}\u00b0`), `stop ${stop} quotes ${figure}: ${figures}`);
    states.push(await programState(tab));
    await sameAsFresh(`#tour=${stop}`);
  }
  assert.strictEqual(await tab.evaluate(() => history.length), entries + count, 'a history entry a stop');
  assert.ok(states.filter((s) => !s.animating).length >= 2, 'two stops paused at least');

  await tab.evaluate(() => history.back());
  await tab.waitForFunction((n) => document.getElementById('tour-position').textContent.startsWith(`Stop ${n} `), {}, count - 1);
  assert.deepStrictEqual(await programState(tab), states[count - 2], 'Back opens the stop before');
  // Leaving keeps the moment, and the address follows it again.
  await (await byName(tab, 'Leave the tour')).click();
  assert.ok(await tab.$eval('#tour', (e) => e.hidden));
  await tab.waitForFunction(() => location.hash.startsWith('#at='));
  assert.deepStrictEqual(await programState(tab), states[count - 2]);
  await sameAsFresh(await tab.evaluate(() => location.hash));
  // A pasted address, then a stop that does not exist.
  for (const [address, words] of [['#at=k3.s40&pace=8&F2', ''], ['#tour=99', /stop \u201c99\u201d of the tour/]]) {
    await tab.evaluate((a) => { location.hash = a; }, address);
    await tab.waitForFunction((a) => location.hash === a, {}, address);
    assert.match(await text(tab, '#link-note'), words === '' ? /^$/ : words);
    await sameAsFresh(address);
  }
  assert.deepStrictEqual(await programState(tab), states[0], 'a stop out of reach opens the first');
  await closeClean(tab);
});

// What every engine must do alike, where most of the above runs in Chromium
// alone: draw, take the keys, a drag and the wheel with the desktop's codes,
// copy a link, and open it at the same state, trail included; outside
// Chromium the link opens in Chromium too, to the same bits.
test('in every engine the page draws, takes the keys, a drag and the wheel, and its link opens the same moment',
     async () => {
  const tab = await h.openPage(session.browser, session.url);
  const first = await pump(tab);
  const blue = [51, 51, 178];
  assert.deepStrictEqual([400, 5, 795].map((x) => h.pixel(first, x, 390)), [[0, 0, 0], blue, blue], 'divider, views');
  await spyOnInput(tab);
  for (const key of ['Space', 'n', 'F1', 'F2', 'F3', 'F4', 'Home', 'PageUp', 'PageDown']) await tab.keyboard.press(key);
  await dragCanvas(tab, [100, 100], [160, 70], 3);
  await tab.mouse.wheel({ deltaY: -240 });
  const drag = ['Mouse 0 0', 'Motion 120 90', 'Motion 140 80', 'Motion 160 70', 'Mouse 0 1'];
  assert.deepStrictEqual(await seen(tab), [
    'Key 32 0', 'Key 110 0', ...[1, 2, 3, 4, 106, 104, 105].map((key) => `SpecialKey ${key} 0`), ...drag,
    'Mouse 3 0', 'Mouse 3 1', 'Mouse 3 0', 'Mouse 3 1']);
  await standInClipboard(tab);
  await tab.click('#copy-link');
  await tab.waitForFunction(() => document.getElementById('status').textContent !== '');
  const link = await tab.evaluate(() => window.copied);
  assert.match(await text(tab, '#status'), /^Copied: /);
  const state = await programState(tab);
  const opened = await h.openPage(session.browser, link);
  assert.deepStrictEqual(await programState(opened), state, link);
  if (h.engine !== 'chromium') {
    const chromium = await h.session(page, 'chromium');
    const there = await h.openPage(chromium.browser, chromium.url + new URL(link).hash);
    assert.deepStrictEqual(await programState(there), state, `${link} in Chromium`);
    await chromium.close();
  }
  await closeClean(tab, opened);
});
