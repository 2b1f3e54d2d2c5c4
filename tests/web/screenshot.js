// Opens the web page in headless Chromium, lets it run for a few seconds at
// the browser's own pace and saves a PNG: the program's pixels read back
// from the canvas, or with `phone` the whole screen of a phone showing the
// page.
// Usage: node screenshot.js PAGE-FOLDER OUTPUT.png [SECONDS] [phone]
'use strict';
const h = require('./harness');

h.main(async () => {
  const [folder, output, seconds = '3', kind = 'canvas'] = process.argv.slice(2);
  const session = await h.session(folder);
  try {
    const viewport = kind === 'phone' ? h.phone : undefined;
    const page = await h.openPage(session.browser, session.url, { holdFrames: false, viewport });
    await new Promise((resolve) => setTimeout(resolve, Number(seconds) * 1000));
    if (kind === 'phone') {
      await page.screenshot({ path: output });
    } else {
      // Read at the end of an animation frame, after the page's own has drawn.
      h.writePng(await h.frameAfter(page, () => new Promise((resolve) => requestAnimationFrame(resolve))), output);
    }
    if (page.errors.length > 0) throw new Error(page.errors.join('\n'));
  } finally {
    await session.close();
  }
});
