// Opens the web page in headless Chromium, lets it run for a few seconds at
// the browser's own pace and saves the canvas as a PNG.
// Usage: node screenshot.js PAGE-FOLDER OUTPUT.png [SECONDS]
'use strict';
const h = require('./harness');

h.main(async () => {
  const [folder, output, seconds = '3'] = process.argv.slice(2);
  const session = await h.session(folder);
  try {
    const page = await h.openPage(session.browser, session.url, { holdFrames: false });
    await new Promise((resolve) => setTimeout(resolve, Number(seconds) * 1000));
    await (await page.$('canvas')).screenshot({ path: output });
    if (page.errors.length > 0) throw new Error(page.errors.join('\n'));
  } finally {
    await session.close();
  }
});
