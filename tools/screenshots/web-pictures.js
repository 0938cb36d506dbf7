// The user guide's pictures of the web edition, taken in headless chromium at
// 1366×768 from the built page: the page on the worked example, the slip
// table, the report after "计算" and the first printed page of the report.
// Pictures are not tests: without the page, chromium or playwright-core this
// says so and takes none, with a zero status.
// Usage: node web-pictures.js WEB_BUILD OUT_DIR PLAYWRIGHT_CORE_DIR
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { chromiumPath, serve } = require('../web/static-page.js');

const [pageDir, outDir, playwrightDir] = process.argv.slice(2).map(p => p && path.resolve(p));
function skip(why) {
  console.error(`web edition pictures skipped: ${why}`);
  process.exit(0);
}

// The printed report's first A4 page, as the browser's print gives it (with
// its heading and "第 1 页 共 m 页"), rasterised by poppler; where poppler is
// missing, the report in print media as the screen shows it.
async function printPicture(page, file) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'talvor-print-'));
  try {
    const pdf = path.join(dir, 'report.pdf');
    await page.pdf({ path: pdf, preferCSSPageSize: true });
    const ran = spawnSync('pdftoppm', ['-png', '-r', '96', '-f', '1', '-l', '1', '-singlefile', pdf, path.join(dir, 'page')]);
    if (ran.status === 0) {
      fs.copyFileSync(path.join(dir, 'page.png'), file);
      return;
    }
    console.error('pdftoppm is missing: the print preview is the report in print media');
    await page.emulateMedia({ media: 'print' });
    await page.screenshot({ path: file });
    await page.emulateMedia({ media: 'screen' });
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

async function main() {
  if (!pageDir || !outDir || !playwrightDir) skip('usage: node web-pictures.js WEB_BUILD OUT_DIR PLAYWRIGHT_CORE_DIR');
  if (!fs.existsSync(path.join(pageDir, 'index.html'))) skip(`no built page in ${pageDir} (make web builds it)`);
  const executablePath = chromiumPath();
  if (!executablePath) skip('chromium is not installed (tools/setup.sh browser installs it)');
  if (!fs.existsSync(playwrightDir)) skip(`no playwright-core in ${playwrightDir} (make web installs it)`);
  const { chromium } = require(playwrightDir);
  fs.mkdirSync(outDir, { recursive: true });
  const server = await serve(pageDir);
  const browser = await chromium.launch({ executablePath, headless: true, args: ['--no-sandbox'] });
  try {
    const page = await browser.newPage({ viewport: { width: 1366, height: 768 } });
    page.setDefaultTimeout(20000);
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await page.waitForSelector('body[data-ready]');
    const shot = name => page.screenshot({ path: path.join(outDir, name) });
    await shot('web-page.png');
    await page.getByRole('tab', { name: '滑面', exact: true }).click();
    await page.getByRole('grid', { name: /滑面线$/ }).locator('td[data-row="1"][data-col="2"]').click();
    await shot('web-tables.png');
    await page.getByRole('button', { name: '计算', exact: true }).click();
    await page.waitForSelector('#report .downloads button', { timeout: 300000 });
    // The report opens below the tables and its drawing is taller than the
    // window: the picture is the report's head, whole drawing and first lines.
    // The picture ends on a whole line of the text after the drawing.
    const clip = await page.locator('#report').evaluate(report => {
      const top = report.getBoundingClientRect().top + window.scrollY;
      let bottom = top + Math.min(report.scrollHeight, 1300);
      const text = report.querySelector('figure + pre');
      if (text) {
        const range = document.createRange();
        range.selectNodeContents(text);
        const ends = [...range.getClientRects()].map(r => r.bottom + window.scrollY).filter(b => b <= bottom);
        if (ends.length > 0) bottom = Math.max(...ends) + 2;
      }
      return { x: 0, y: top, width: 1366, height: Math.ceil(bottom - top) };
    });
    await page.screenshot({ path: path.join(outDir, 'web-report.png'), fullPage: true, clip });
    await printPicture(page, path.join(outDir, 'web-print.png'));
    console.log(`web edition pictures in ${outDir}`);
  } finally {
    await browser.close();
    server.close();
  }
}

main().catch(e => {
  console.error(`web edition pictures failed: ${e.message}`);
  process.exit(1);
});
