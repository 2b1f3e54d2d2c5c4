// The web page's figures in headless Chromium: time from the start of the
// page load to the end of the first frame (the folder's page served, and the
// single file opened from disk), the files' sizes gzipped, and frames per
// second at the browser's own pace with the time a frame's work takes.
// Usage: node web-figures.js PAGE-FOLDER [SECONDS] [LOADS]
'use strict';
const fs = require('fs');
const path = require('path');
const { pathToFileURL } = require('url');
const zlib = require('zlib');
const h = require('../tests/web/harness');

// Before the page's scripts run: every animation frame is timed, and the
// end of the first one is noted.
function timeFrames() {
  const request = window.requestAnimationFrame.bind(window);
  window.frameLog = { firstFrameEnd: null, frames: 0, busy: 0, times: [] };
  window.requestAnimationFrame = (callback) => request((time) => {
    const start = performance.now();
    callback(time);
    const end = performance.now();
    if (window.frameLog.firstFrameEnd === null) window.frameLog.firstFrameEnd = end;
    window.frameLog.frames += 1;
    window.frameLog.busy += end - start;
    window.frameLog.times.push(end - start);
  });
}

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];

h.main(async () => {
  const [folder, seconds = '5', loads = '10'] = process.argv.slice(2);
  for (const name of ['camera-demo.js', 'camera-demo.wasm', 'index.html', 'page.js', 'moment.js', 'camera-demo.html']) {
    const bytes = fs.readFileSync(path.join(folder, name));
    console.log(`${name}: ${bytes.length} bytes, ${zlib.gzipSync(bytes, { level: 9 }).length} gzipped`);
  }
  const { url, browser, close } = await h.session(folder);
  try {
    const singleFile = pathToFileURL(path.join(folder, 'camera-demo.html')).href;
    for (const [label, address] of [['index.html served', url], ['camera-demo.html from disk', singleFile]]) {
      const firstFrames = [];
      for (let i = 0; i < Number(loads); ++i) {
        const page = await browser.newPage();
        await page.setViewport({ width: 1000, height: 600, deviceScaleFactor: 1 });
        await page.setCacheEnabled(false);
        await page.evaluateOnNewDocument(timeFrames);
        await page.goto(address);
        await page.waitForFunction(() => window.frameLog.firstFrameEnd !== null, { polling: 10 });
        firstFrames.push(await page.evaluate(() => window.frameLog.firstFrameEnd));
        await page.close();
      }
      console.log(`load to first frame, ${label}: median ${median(firstFrames).toFixed(0)} ms of ${loads} loads ` +
                  `(${Math.min(...firstFrames).toFixed(0)} to ${Math.max(...firstFrames).toFixed(0)} ms)`);
    }

    // A link replays at most a million steps: the longest replay, in the
    // first demonstration and in the examine orbit, the costliest step.
    for (const [label, link] of [['a million steps of the circle', 'at=s1000000'],
                                 ['a million steps of the examine orbit', 'at=k4.s1000000']]) {
      const replays = [];
      for (let i = 0; i < 3; ++i) {
        const page = await browser.newPage();
        await page.evaluateOnNewDocument(timeFrames);
        await page.goto(`${url}#${link}`);
        await page.waitForFunction(() => window.frameLog.firstFrameEnd !== null, { polling: 10 });
        replays.push(await page.evaluate(() => window.frameLog.firstFrameEnd));
        await page.close();
      }
      console.log(`load to first frame of a link at the limit, ${label}: median ${median(replays).toFixed(0)} ms ` +
                  `(${Math.min(...replays).toFixed(0)} to ${Math.max(...replays).toFixed(0)} ms)`);
    }

    const page = await h.openPage(browser, url, { holdFrames: false });
    await page.evaluateOnNewDocument(timeFrames);
    await page.reload();
    // The heaviest frames are those with the whole trail to draw: 800 steps
    // first, as a quarter of a minute at the browser's pace would take.
    await page.waitForFunction(() => window.Module && Module.calledRun, { polling: 20 });
    await page.evaluate(() => { for (let i = 0; i < 800; ++i) Module._programIdle(); });
    await new Promise((resolve) => setTimeout(resolve, 1000));
    const start = await page.evaluate(() => ({ ...window.frameLog, at: performance.now() }));
    await new Promise((resolve) => setTimeout(resolve, Number(seconds) * 1000));
    const end = await page.evaluate(() => ({ ...window.frameLog, at: performance.now() }));
    const frames = end.frames - start.frames;
    // The median as well as the mean: a frame that the machine's other work
    // held up says little about the page's own.
    const typical = median(end.times.slice(start.frames, end.frames));
    const bare = await browser.newPage();
    await bare.goto('data:text/html,<canvas></canvas>');
    const floor = await bare.evaluate((seconds) => new Promise((resolve) => {
      let count = 0;
      const t0 = performance.now();
      const frame = () => {
        ++count;
        if (performance.now() - t0 < seconds * 1000) requestAnimationFrame(frame);
        else resolve(count / ((performance.now() - t0) / 1000));
      };
      requestAnimationFrame(frame);
    }), Number(seconds));
    await bare.close();
    console.log(`frames: ${(frames / ((end.at - start.at) / 1000)).toFixed(1)} per second over ${seconds} s, ` +
                `a frame's work (idle step and display) ${((end.busy - start.busy) / frames).toFixed(2)} ms on average, ` +
                `${typical.toFixed(2)} ms the median; ` +
                `an empty page's animation frames: ${floor.toFixed(1)} per second`);
  } finally {
    await close();
  }
});
