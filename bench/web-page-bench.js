// The web page in headless chromium: how soon it is ready with the worked
// example (first visit and again from the browser's cache), how long a cell
// typed into the largest item takes until the tables and the sketch are
// redrawn, and the 2000-trial berm design of that item in the page's worker
// against the native program. Printed, never asserted.
// Usage: node bench/web-page-bench.js PAGE_DIR BUILD_DIR
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const { execFileSync, spawnSync } = require('node:child_process');

const [pageDir, build] = process.argv.slice(2).map(p => path.resolve(p));
const { chromium } = require(path.join(__dirname, '../web/node_modules/playwright-core'));
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };

const median = (xs) => xs.slice().sort((a, b) => a - b)[xs.length >> 1];

(async () => {
  const server = http.createServer((req, res) => {
    const file = path.join(pageDir, new URL(req.url, 'http://x').pathname.replace(/\/$/, '/index.html'));
    if (!fs.existsSync(file)) return res.writeHead(404).end();
    res.writeHead(200, { 'content-type': types[path.extname(file)] ?? 'application/octet-stream',
                         'cache-control': 'max-age=3600' });
    res.end(fs.readFileSync(file));
  });
  await new Promise(done => server.listen(0, '127.0.0.1', done));
  const url = `http://127.0.0.1:${server.address().port}/`;
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
  const page = await browser.newPage({ viewport: { width: 1366, height: 768 } });
  if (process.env.DEBUG) page.on('console', m => console.log(m.text()));
  const ready = async () => {
    await page.waitForSelector('body[data-ready]', { timeout: 60000 });
    return Number(await page.evaluate(() => document.body.dataset.ready));
  };
  await page.goto(url);
  const first = await ready();
  const warm = [];
  for (let i = 0; i < 5; ++i) {
    await page.reload();
    warm.push(await ready());
  }
  console.log(`page ready with the worked example: first visit ${first} ms, again ${median(warm)} ms (median of 5)`);

  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'talvor-web-bench-'));
  const item = path.join(work, 'max_berm.TV');
  execFileSync(path.join(build, 'bench/write_maximal_item'), [item, 'berm']);
  await page.locator('#open-file').setInputFiles(item);
  await page.waitForFunction(() => document.querySelector('#status').textContent.startsWith('已读入'));
  await page.getByRole('tab', { name: '滑面', exact: true }).click();
  // The cohesion leaves the drawing as it is; a segment's horizontal
  // projection moves the section after it.
  for (const [col, what, value] of [[6, 'cohesion', i => 10 + i], [2, 'horizontal projection', i => 1 + i / 10]]) {
    const cell = page.getByRole('grid', { name: /滑面线$/ }).locator(`td[data-row="3"][data-col="${col}"]`);
    const edits = [], sketches = [];
    for (let i = 0; i < 5; ++i) {
      await cell.click();
      await page.keyboard.type(String(value(i)));
      await page.keyboard.press('Enter');
      edits.push(Number(await page.evaluate(() => document.body.dataset.editMs)));
      sketches.push(Number(await page.evaluate(() => document.body.dataset.sketchMs)));
    }
    const elements = await page.locator('#sketch [data-table]').count();
    console.log(`slip row 3 ${what} typed in the largest item until the tables and the sketch (${elements} elements) ` +
                `are redrawn: ${median(edits)} ms, of it the core's sketch ${median(sketches)} ms (median of 5)`);
  }

  const started = Date.now();
  spawnSync(path.join(build, 'src/cli/talvor-cli'), ['calc', '--keep-directives', item], { stdio: 'ignore' });
  const native = Date.now() - started;
  await page.click('#calculate');
  await page.waitForSelector('#report .downloads button', { timeout: 600000 });
  const inPage = Number(await page.evaluate(() => document.body.dataset.calcMs));
  console.log(`the largest item's 2000-trial berm design: in the page's worker ${inPage} ms, native ${native} ms (${(inPage / native).toFixed(2)}x)`);
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true });
})();
