// The web page in Debian's chromium, headless, driven as a user drives it:
// cells typed with the keys, "计算", the downloads, undo; the files it gives
// are held to talvor-cli's byte for byte.
// Environment: TALVOR_WEB_PAGE (the built page), TALVOR_CLI, TALVOR_PLAYWRIGHT
// (playwright-core's folder).
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { chromiumPath, serve } = require('../../tools/web/static-page.js');

const pageDir = process.env.TALVOR_WEB_PAGE;
const cliPath = process.env.TALVOR_CLI;

function cli(dir, ...args) {
  return spawnSync(cliPath, args, { cwd: dir, encoding: 'buffer' });
}

async function downloaded(page, click) {
  const [file] = await Promise.all([page.waitForEvent('download'), click()]);
  return fs.readFileSync(await file.path());
}

test('cells typed, the worked example calculated and undone in chromium', async (t) => {
  const executablePath = chromiumPath();
  assert.ok(executablePath, 'chromium is not installed: tools/setup.sh web installs it');
  const { chromium } = require(process.env.TALVOR_PLAYWRIGHT);
  const server = await serve(pageDir);
  const browser = await chromium.launch({ executablePath, headless: true, args: ['--no-sandbox'] });
  t.after(() => {
    server.close();
    return browser.close();
  });
  const page = await browser.newPage({ acceptDownloads: true, viewport: { width: 1366, height: 768 } });
  page.setDefaultTimeout(20000);
  const errors = [];
  page.on('pageerror', e => errors.push(String(e)));
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForSelector('body[data-ready]');
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'talvor-page-'));
  assert.equal(cli(dir, 'new', 'opening.TV').status, 0);
  const opening = fs.readFileSync(path.join(dir, 'opening.TV'));
  const save = () => downloaded(page, () => page.getByRole('button', { name: '数据存盘到文件', exact: true }).click());
  assert.ok((await save()).equals(opening), 'the page opens on the worked example');

  // The slip table, typed as a user types: a value and Enter, the next by F2
  // with the end of the text replaced, one cleared by Delete, an edit dropped
  // by Escape, then Tab to the next column.
  await page.getByRole('tab', { name: '滑面', exact: true }).click();
  const slip = page.getByRole('grid', { name: /滑面线$/ });
  await slip.locator('td[data-row="2"][data-col="2"]').click();
  await page.keyboard.type('7.25');
  await page.keyboard.press('Enter');
  await page.keyboard.press('F2');
  await page.keyboard.press('End');
  await page.keyboard.press('Backspace');
  await page.keyboard.type('5');
  await page.keyboard.press('Enter');
  await page.keyboard.press('Delete');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.type('99');
  await page.keyboard.press('Escape');
  await page.keyboard.press('Tab');
  await page.keyboard.type('3.5');
  await page.keyboard.press('Enter');
  const texts = await slip.locator('tbody tr').evaluateAll(rows => rows.map(r => [...r.cells].map(c => c.textContent)));
  // The same as cells: row 2 col 2, row 3 col 2 with its last character
  // replaced, row 4 cleared, row 5 col 3 (its col 2 edit was dropped).
  fs.copyFileSync(path.join(dir, 'opening.TV'), path.join(dir, 'typed.TV'));
  const row3 = cli(dir, 'table', 'typed.TV', 'CSlipTable').stdout.toString().split('\n')[2].split('\t')[1];
  const edits = ['2,2=7.25', `3,2=${row3.slice(0, -1)}5`, '4,2=', '5,3=3.5'];
  assert.notEqual(cli(dir, 'table', 'typed.TV', 'CSlipTable', '--write', ...edits.flatMap(e => ['--set', e])).status, 2);
  const typed = await save();
  assert.ok(typed.equals(fs.readFileSync(path.join(dir, 'typed.TV'))), 'typed through the keys as through talvor-cli table');
  const shown = cli(dir, 'table', 'typed.TV', 'CSlipTable').stdout.toString().trimEnd().split('\n').map(l => l.split('\t'));
  assert.deepEqual(texts, shown);
  // The sketch is drawn anew from the record: its element for the row is lit.
  assert.ok(await page.locator('#sketch svg').count() === 1);

  // Undo back to the opening input, and redo to the typed one.
  const undo = page.getByRole('button', { name: '撤销', exact: true });
  let steps = 0;
  for (; steps < 10 && !(await undo.isDisabled()); ++steps) await undo.click();
  assert.ok(steps >= 3 && steps <= 4, `${steps} undo steps`);
  assert.ok((await save()).equals(opening), 'undone to the opening input');
  for (let i = 0; i < steps; ++i) await page.keyboard.press('Control+y');
  assert.ok((await save()).equals(typed), 'redone to the typed input');

  // A section of 20 slip segments pasted from a spreadsheet at the first
  // row: the count grows to take it, as typing the count and the cells does.
  const parts = [[5, '4\t0.4'], [3, '2\t1'], [4, '2\t1.5'], [2, '4\t2'], [3, '2\t2'], [2, '3\t4.5'], [1, '3\t5']];
  const rows = parts.flatMap(([n, row]) => Array(n).fill(`${row}\t\t\t10\t20`));
  await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
  await slip.locator('td[data-row="1"][data-col="2"]').click();
  await page.evaluate(text => navigator.clipboard.writeText(text), rows.join('\n'));
  await page.keyboard.press('Control+v');
  assert.equal(await slip.locator('tbody tr').count(), 20);
  assert.equal(cli(dir, 'table', 'typed.TV', 'CSlipCountTable', '--write', '--set', '1,2=20').status, 0);
  const cells = rows.flatMap((row, r) => row.split('\t').flatMap((text, c) =>
    text === '' ? [] : ['--set', `${r + 1},${c + 2}=${text}`]));
  assert.equal(cli(dir, 'table', 'typed.TV', 'CSlipTable', '--write', ...cells).status, 0);
  const pasted = await save();
  assert.ok(pasted.equals(fs.readFileSync(path.join(dir, 'typed.TV'))), 'pasted as typed through talvor-cli table');

  // The pasted item as a project's item, opened from the disk; then a check,
  // a pile design and a berm design with the goal and target switched in
  // the control table, each calculated in the worker. Every file offered
  // is held to talvor-cli: the report and drawings to calc's, the data file
  // with the run's result names to what a project's calculation writes back.
  const open = async (file) => {
    const [chooser] = await Promise.all([page.waitForEvent('filechooser'),
      page.getByRole('button', { name: '读入数据文件', exact: true }).click()]);
    await chooser.setFiles(file);
    await page.getByRole('status', { name: '状态栏' }).filter({ hasText: '读入' }).waitFor();
  };
  // A damaged file is opened with its diagnostics listed by line and field;
  // random bytes are not read and leave the item as it was.
  const damaged = path.join(dir, 'damaged.TV');
  fs.writeFileSync(damaged, Buffer.from(opening.toString('latin1').replace('19.000000', '19.0O0000'), 'latin1'));
  await open(damaged);
  const told = await page.getByRole('list', { name: '计算信息' }).innerText();
  assert.match(told, /19\.0O0000/);
  assert.match(told, /第\s*\d+\s*行/);
  const noise = path.join(dir, 'noise.TV');
  fs.writeFileSync(noise, Buffer.from(Array.from({ length: 50000 }, (_, i) => (i * 7919) % 251)));
  const beforeNoise = await save();
  await open(noise);
  await page.getByRole('status', { name: '状态栏' }).filter({ hasText: '未能读入' }).waitFor();
  assert.ok((await save()).equals(beforeNoise), 'a foreign file leaves the item');

  const name = '&TLVR_0001.dat';
  fs.writeFileSync(path.join(dir, name), pasted);
  const [chooser] = await Promise.all([page.waitForEvent('filechooser'),
    page.getByRole('button', { name: '读入数据文件', exact: true }).click()]);
  await chooser.setFiles(path.join(dir, name));
  await page.getByRole('status', { name: '状态栏' }).filter({ hasText: '已读入' }).waitFor();
  const calculated = async () => {
    const input = await save();
    const sub = fs.mkdtempSync(path.join(dir, 'run-'));
    assert.equal(cli(sub, 'project', 'prj', 'add').status, 0);
    fs.writeFileSync(path.join(sub, 'prj', name), input);
    fs.writeFileSync(path.join(sub, name), input);
    const calcStatus = cli(sub, 'calc', name, '--keep-directives').status;
    assert.ok([0, 3].includes(calcStatus), `talvor-cli calc: ${calcStatus}`);
    assert.ok([0, 3].includes(cli(sub, 'project', 'prj', 'calc', '--keep-directives').status));
    await page.getByRole('button', { name: '计算', exact: true }).click();
    await page.waitForSelector('#report .downloads button', { timeout: 300000 });
    const offered = await page.locator('#report .downloads button').evaluateAll(bs => bs.map(b => b.dataset.file));
    assert.ok(offered.length >= 4, offered.join(' '));
    for (const file of offered) {
      const expected = fs.readFileSync(path.join(sub, file === name ? 'prj' : '', file));
      const got = await downloaded(page, () => page.locator(`#report button[data-file="${file}"]`).click());
      assert.ok(got.equals(expected), file);
    }
    assert.ok(await page.locator('#report figure svg').count() > 0, 'the report shows its drawings');
    return offered;
  };
  const choose = async (row, item) => {
    await control.locator(`td[data-row="${row}"][data-col="2"]`).click();
    await page.keyboard.press('F2');
    await control.locator('select').selectOption(item);
    await page.keyboard.press('Enter');
  };
  await calculated();
  // The report printed through the browser: A4 pages headed by the item,
  // each with "第 n 页 共 m 页".
  const pdf = path.join(dir, 'report.pdf');
  await page.pdf({ path: pdf, preferCSSPageSize: true });
  const printed = spawnSync('pdftotext', ['-layout', pdf, '-'], { encoding: 'utf8' }).stdout.split('\f');
  const pages = printed.filter(text => text.trim() !== '');
  assert.ok(pages.length > 1, `${pages.length} printed pages`);
  pages.forEach((text, i) => {
    assert.match(text, new RegExp(`第\\s*${i + 1}\\s*页\\s*共\\s*${pages.length}\\s*页`), `page ${i + 1}`);
    assert.ok(text.trimStart().startsWith(name), `page ${i + 1} heading`);
  });
  await page.getByRole('tab', { name: '控制', exact: true }).click();
  const control = page.getByRole('grid', { name: /控制参数$/ });
  await choose(1, '自动设计');
  await choose(2, '自动设计抗滑桩');
  await calculated();
  // The pile kind from the pile library ("从库中选择") for the berm design.
  const kindsBefore = await save();
  await page.getByRole('button', { name: '从库中选择', exact: true }).click();
  const library = page.getByRole('dialog', { name: '抗滑桩水平静载荷试验资料一揽表' });
  await library.getByRole('checkbox', { name: '第 2 行' }).check();
  await library.getByRole('button', { name: '确定' }).click();
  assert.ok(!(await save()).equals(kindsBefore), 'pile kinds taken from the library');
  await page.getByRole('tab', { name: '控制', exact: true }).click();
  await choose(2, '自动设计反压码');
  const berm = await calculated();
  assert.ok(berm.some(f => f.endsWith('_JG.DXF')), berm.join(' '));

  // Offline: the page and the module come from the service worker's keep;
  // reloaded without a network, it opens and calculates as before.
  await page.waitForFunction(async () => !!(await navigator.serviceWorker.getRegistration())?.active);
  await page.context().setOffline(true);
  await page.reload();
  await page.waitForSelector('body[data-ready]');
  const [again] = await Promise.all([page.waitForEvent('filechooser'),
    page.getByRole('button', { name: '读入数据文件', exact: true }).click()]);
  await again.setFiles(path.join(dir, name));
  await page.getByRole('status', { name: '状态栏' }).filter({ hasText: '已读入' }).waitFor();
  await calculated();
  assert.deepEqual(errors, []);
});
