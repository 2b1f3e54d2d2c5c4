// The state table's replay compiled to WebAssembly and run in a page: the
// browser's C library computes sine and cosine itself, so the table is
// compared field by field with the desktop's golden table and the largest
// difference in ULP of each field is reported (state_compare --ulp-report),
// while checkpoints, captions and integers must match exactly. The program
// is WebAssembly, its sine and cosine compiled in: every engine's table is
// Chromium's, byte for byte.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert');
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const h = require('./harness');

const root = path.join(__dirname, '../..');
const statePage = process.env.STATE_PAGE || path.join(root, 'build-web/state-page');
const compare = process.env.STATE_COMPARE || path.join(root, 'build/tests/state/state_compare');
const golden = path.join(root, 'tests/golden/state-table.txt');
const out = process.env.WEB_TEST_OUTPUT || path.join(root, 'out/web-tests');

// The table as the replay prints it in one engine.
async function replay(engine) {
  const session = await h.session(statePage, engine);
  try {
    const tab = await session.browser.newPage();
    await tab.goto(session.url);
    await tab.waitForFunction(() => window.Module && Module.exitStatus !== undefined,
                              { timeout: 60000, polling: 50 });
    const result = await tab.evaluate(() => ({ status: Module.exitStatus, lines: Module.lines }));
    assert.strictEqual(result.status, 0, 'the replay ends with status 0');
    return result.lines.join('\n') + '\n';
  } finally {
    await session.close();
  }
}

test('the state table replayed in the page matches but for the rounding of sine and cosine', async () => {
  const table = await replay(h.engine);
  fs.mkdirSync(out, { recursive: true });
  const actual = path.join(out, `state-table-${h.engine}.txt`);
  fs.writeFileSync(actual, table);
  let report;
  try {
    report = execFileSync(compare, ['--ulp-report', golden, actual], { encoding: 'utf8' });
  } catch (error) {
    assert.fail(`state_compare --ulp-report found more than rounding:\n${error.stdout}${error.stderr}`);
  }
  console.log(report.trimEnd());
  if (h.engine !== 'chromium') assert.ok(table === await replay('chromium'), `${actual} is not Chromium's table`);
});
