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
  // Served from a copy, which a newer build replaces below.
  const served = fs.mkdtempSync(path.join(os.tmpdir(), 'talvor-served-'));
  fs.cpSync(pageDir, served, { recursive: true });
  const server = await serve(served);
  const browser = await chromium.launch({ executablePath, headless: true, args: ['--no-sandbox'] });
  t.after(() => {
    server.close();
    fs.rmSync(served, { recursive: true });
    return browser.close();
  });
  const page = await browser.newPage({ acceptDownloads: true, viewport: { width: 1366, height: 768 } });
  page.setDefaultTimeout(20000);
  // Files go up and down as in a browser without file system access; the
  // in-place path is taken below with pickers of the browser's private files.
  await page.addInitScript(() => {
    window.showOpenFilePicker = undefined;
    window.showSaveFilePicker = undefined;
  });
  const errors = [];
  page.on('pageerror', e => errors.push(String(e)));
  const url = `http://127.0.0.1:${server.address().port}/`;
  await page.goto(url);
  await page.waitForSelector('body[data-ready]');
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'talvor-page-'));
  assert.equal(cli(dir, 'new', 'opening.TV').status, 0);
  const opening = fs.readFileSync(path.join(dir, 'opening.TV'));
  const save = () => downloaded(page, () => page.getByRole('button', { name: '数据存盘到文件', exact: true }).click());
  assert.ok((await save()).equals(opening), 'the page opens on the worked example');
  // Every control, table and list has a name (the desktop's), none is bare.
  const unnamed = async (within) => (await within.ariaSnapshot()).split('\n')
    .filter(l => /^\s*- (button|textbox|combobox|checkbox|grid|tab|tablist|tabpanel|dialog|list|img|status)\b(?! ")/.test(l));
  assert.deepEqual(await unnamed(page.locator('body')), []);
  // The description line ("说明") is written into the data file and undone as an edit.
  // With the keys only: Tab runs through the controls and each table's cells
  // (leaving a table after its last cell) to the description.
  const description = page.getByRole('textbox', { name: '说明', exact: true });
  let tabs = 0;
  for (; tabs < 200 && !(await description.evaluate(e => e === document.activeElement)); ++tabs)
    await page.keyboard.press('Tab');
  assert.ok(tabs < 200, 'the description is reached with Tab');
  await page.keyboard.type('应急抢险 K12+300');
  await page.keyboard.press('Enter');
  const gbk = bytes => new TextDecoder('gbk').decode(bytes);
  assert.equal(gbk(await save()), gbk(opening).replace('##Name,', '##Name,应急抢险 K12+300'));
  await page.getByRole('button', { name: '撤销', exact: true }).click();
  assert.equal(await description.inputValue(), '');

  // The slip table, typed as a user types: a value and Enter, the next by F2
  // with the end of the text replaced, one cleared by Delete, an edit dropped
  // by Escape, then Tab to the next column.
  // Each page's explanatory picture below the sketch, as on the desktop.
  const picture = () => page.getByRole('img', { name: '说明图', exact: true }).innerHTML();
  const controlPicture = await picture();
  await page.getByRole('tab', { name: '控制', exact: true }).focus();
  await page.keyboard.press('ArrowRight');
  assert.ok(controlPicture.startsWith('<svg') && (await picture()).startsWith('<svg') && (await picture()) !== controlPicture);
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
  // Held by the cell rules as typed through talvor-cli: "nan" and a 10,000-character text.
  await page.keyboard.type('nan');
  await page.keyboard.press('Enter');
  const long = '7'.repeat(10000);
  await slip.locator('td[data-row="1"][data-col="6"]').click();
  await page.keyboard.type('7');
  await page.keyboard.insertText(long.slice(1));
  await page.keyboard.press('Enter');
  const texts = await slip.locator('tbody tr').evaluateAll(rows => rows.map(r => [...r.cells].map(c => c.textContent)));
  // The same as cells: row 2 col 2, row 3 col 2 with its last character
  // replaced, row 4 cleared, row 5 col 3 (its col 2 edit was dropped), then
  // row 6 col 3 and row 1 col 6.
  fs.copyFileSync(path.join(dir, 'opening.TV'), path.join(dir, 'typed.TV'));
  const row3 = cli(dir, 'table', 'typed.TV', 'CSlipTable').stdout.toString().split('\n')[2].split('\t')[1];
  const edits = ['2,2=7.25', `3,2=${row3.slice(0, -1)}5`, '4,2=', '5,3=3.5', '6,3=nan', `1,6=${long}`];
  assert.notEqual(cli(dir, 'table', 'typed.TV', 'CSlipTable', '--write', ...edits.flatMap(e => ['--set', e])).status, 2);
  const typed = await save();
  assert.ok(typed.equals(fs.readFileSync(path.join(dir, 'typed.TV'))), 'typed through the keys as through talvor-cli table');
  const shown = cli(dir, 'table', 'typed.TV', 'CSlipTable').stdout.toString().trimEnd().split('\n').map(l => l.split('\t'));
  assert.deepEqual(texts, shown);
  // A block marked with Shift and the arrows: Ctrl+C copies it as a
  // spreadsheet takes it, Delete empties it as one undo step.
  await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
  await slip.locator('td[data-row="2"][data-col="2"]').click();
  for (const key of ['Shift+ArrowDown', 'Shift+ArrowDown', 'Shift+ArrowRight']) await page.keyboard.press(key);
  await page.keyboard.press('Control+c');
  const block = shown.slice(1, 4).map(row => row.slice(1, 3).join('\t') + '\n').join('');
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), block);
  await page.keyboard.press('Delete');
  fs.copyFileSync(path.join(dir, 'typed.TV'), path.join(dir, 'cleared.TV'));
  const cleared = ['2,2=', '3,2=', '4,2=', '2,3=', '3,3=', '4,3='].flatMap(e => ['--set', e]);
  assert.notEqual(cli(dir, 'table', 'cleared.TV', 'CSlipTable', '--write', ...cleared).status, 2);
  assert.ok((await save()).equals(fs.readFileSync(path.join(dir, 'cleared.TV'))), 'a block deleted');
  await page.keyboard.press('Control+z');
  assert.ok((await save()).equals(typed), 'a deleted block undone in one step');

  // Undo back to the opening input, and redo to the typed one.
  const undo = page.getByRole('button', { name: '撤销', exact: true });
  let steps = 0;
  for (; steps < 10 && !(await undo.isDisabled()); ++steps) await undo.click();
  assert.ok(steps >= 3 && steps <= 6, `${steps} undo steps`);
  assert.ok((await save()).equals(opening), 'undone to the opening input');
  for (let i = 0; i < steps; ++i) await page.keyboard.press('Control+y');
  assert.ok((await save()).equals(typed), 'redone to the typed input');
  // A new item from the template chooser, with the keys only; undone again.
  await page.getByRole('combobox', { name: '模板', exact: true }).focus();
  for (const key of ['End', 'Home', 'Tab', 'Enter']) await page.keyboard.press(key);
  assert.ok((await save()).equals(opening), 'the worked example from the chooser');
  await page.keyboard.press('Control+z');
  assert.ok((await save()).equals(typed), 'the template undone');

  // A section of 20 slip segments pasted from a spreadsheet at the first
  // row: the count grows to take it, as typing the count and the cells does.
  const parts = [[5, '4\t0.4'], [3, '2\t1'], [4, '2\t1.5'], [2, '4\t2'], [3, '2\t2'], [2, '3\t4.5'], [1, '3\t5']];
  const rows = parts.flatMap(([n, row]) => Array(n).fill(`${row}\t\t\t10\t20`));
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
  const huge = path.join(dir, 'huge.TV');
  fs.writeFileSync(huge, Buffer.concat([opening, Buffer.alloc(20 << 20, '1.0 ')]));
  const beforeNoise = await save();
  for (const file of [noise, huge]) {
    await open(file);
    await page.getByRole('status', { name: '状态栏' }).filter({ hasText: `未能读入 ${path.basename(file)}` }).waitFor();
    assert.ok((await save()).equals(beforeNoise), `${path.basename(file)} leaves the item`);
  }

  // With the browser's file system access the item is saved back into the
  // file it was opened from (here one of the page's private files).
  const openInPlace = async (name, bytes) => {
    await page.evaluate(async ([name, bytes]) => {
      const dir = await navigator.storage.getDirectory();
      const out = await (await dir.getFileHandle(name, { create: true })).createWritable();
      await out.write(new Uint8Array(bytes));
      await out.close();
      window.showOpenFilePicker = async () => [await dir.getFileHandle(name)];
    }, [name, [...bytes]]);
    await page.getByRole('button', { name: '读入数据文件', exact: true }).click();
    await page.getByRole('status', { name: '状态栏' }).filter({ hasText: `已读入 ${name}` }).waitFor();
  };
  await openInPlace('inplace.TV', opening);
  await page.getByRole('tab', { name: '滑面', exact: true }).click();
  await slip.locator('td[data-row="2"][data-col="2"]').click();
  await page.keyboard.type('6.5');
  await page.keyboard.press('Enter');
  await page.getByRole('button', { name: '数据存盘到文件', exact: true }).click();
  await page.getByRole('status', { name: '状态栏' }).filter({ hasText: '已存盘到 inplace.TV' }).waitFor();
  const inPlace = await page.evaluate(async () => {
    const file = await (await (await navigator.storage.getDirectory()).getFileHandle('inplace.TV')).getFile();
    window.showOpenFilePicker = undefined;
    return [...new Uint8Array(await file.arrayBuffer())];
  });
  fs.copyFileSync(path.join(dir, 'opening.TV'), path.join(dir, 'inplace.TV'));
  assert.equal(cli(dir, 'table', 'inplace.TV', 'CSlipTable', '--write', '--set', '2,2=6.5').status, 0);
  assert.ok(Buffer.from(inPlace).equals(fs.readFileSync(path.join(dir, 'inplace.TV'))), 'saved in place');
  // The sketch, changed element by element by the edit, is the one
  // drawn whole for the same item on a page that opens it.
  const sketchOf = (p) => p.evaluate(() => {
    const svg = document.querySelector('#sketch svg').cloneNode(true);
    svg.querySelectorAll('[class]').forEach(e => {
      e.classList.remove('lit');
      if (!e.classList.length) e.removeAttribute('class');
    });
    return svg.outerHTML;
  });
  const fresh = await browser.newPage({ viewport: { width: 1366, height: 768 } });
  await fresh.goto(url);
  await fresh.waitForSelector('body[data-ready]');
  await fresh.locator('#open-file').setInputFiles(path.join(dir, 'inplace.TV'));
  await fresh.getByRole('status', { name: '状态栏' }).filter({ hasText: '已读入' }).waitFor();
  assert.equal(await sketchOf(page), await sketchOf(fresh));
  await fresh.close();
  // Pointing at a slip segment names it; a click makes its row current.
  await page.getByRole('tab', { name: '控制', exact: true }).click();
  const box = await page.locator('#SlipSegment-2').boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  assert.match(await page.locator('#position').innerText(), /滑面第3段/);
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  assert.equal(await page.locator('td.current').getAttribute('data-row'), '3');

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
  // With the keys only: the list opens on its first row, Space ticks, Enter takes.
  await page.getByRole('button', { name: '从库中选择', exact: true }).focus();
  await page.keyboard.press('Enter');
  const library = page.getByRole('dialog', { name: '抗滑桩水平静载荷试验资料一揽表' });
  assert.deepEqual(await unnamed(library), []);
  for (const key of ['Tab', 'Space']) await page.keyboard.press(key);
  assert.ok(await library.getByRole('checkbox', { name: '第 2 行' }).isChecked());
  await page.keyboard.press('Enter');
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

  // A newer build served: the page says so, and its "重新载入" runs the new
  // one on the item as it was.
  await page.context().setOffline(false);
  const next = fs.mkdtempSync(path.join(dir, 'next-'));
  fs.writeFileSync(path.join(next, 'talvor-web.js'), fs.readFileSync(path.join(pageDir, 'talvor-web.js'), 'utf8') + '\n// next\n');
  fs.copyFileSync(path.join(pageDir, 'talvor-web.wasm'), path.join(next, 'talvor-web.wasm'));
  const build = spawnSync(process.execPath, [path.join(__dirname, '../../web/build.mjs'), next, served], { encoding: 'utf8' });
  assert.equal(build.status, 0, build.stderr);
  const version = fs.readFileSync(path.join(served, 'sw.js'), 'utf8').match(/talvor-[0-9a-f]{16}/)[0];
  assert.notDeepEqual(await page.evaluate(() => caches.keys()), [version]);
  const beforeUpdate = await save();
  // Opened in place before the reload, the item is saved in place after it.
  await openInPlace('kept.TV', beforeUpdate);
  await page.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
  await Promise.all([page.waitForEvent('framenavigated'),
    page.getByRole('status', { name: '新版本' }).getByRole('button', { name: '重新载入' }).click()]);
  await page.waitForSelector('body[data-ready]');
  assert.deepEqual(await page.evaluate(() => caches.keys()), [version]);
  await page.evaluate(async () => {
    const out = await (await (await navigator.storage.getDirectory()).getFileHandle('kept.TV')).createWritable();
    await out.truncate(0);
    await out.close();
  });
  await page.getByRole('button', { name: '数据存盘到文件', exact: true }).click();
  await page.getByRole('status', { name: '状态栏' }).filter({ hasText: '已存盘到 kept.TV' }).waitFor();
  const kept = await page.evaluate(async () =>
    [...new Uint8Array(await (await (await (await navigator.storage.getDirectory()).getFileHandle('kept.TV')).getFile()).arrayBuffer())]);
  assert.ok(Buffer.from(kept).equals(beforeUpdate), 'the item and its file kept over the reload');
  assert.deepEqual(errors, []);

  // A 10-inch tablet in landscape: nothing runs off the side, a tap makes a
  // cell current with its hint, a tap on the current cell edits it.
  const tablet = await (await browser.newContext({ viewport: { width: 1280, height: 800 }, hasTouch: true })).newPage();
  await tablet.goto(url);
  await tablet.waitForSelector('body[data-ready]');
  assert.ok(await tablet.evaluate(() => document.documentElement.scrollWidth <= innerWidth), 'no sideways scrolling');
  await tablet.getByRole('tab', { name: '滑面', exact: true }).tap();
  const cell = tablet.getByRole('grid', { name: /滑面线$/ }).locator('td[data-row="2"][data-col="2"]');
  await cell.tap();
  assert.match(await tablet.locator('#hint').innerText(), /\S/);
  await cell.tap();
  await tablet.keyboard.insertText('7.25');
  await tablet.keyboard.press('Enter');
  assert.equal(await cell.innerText(), texts[1][1]);
  // One finger pans the sketch, two pinch it.
  const area = await tablet.locator('#sketch').boundingBox();
  const [cx, cy] = [area.x + area.width / 2, area.y + area.height / 2];
  const viewBox = async () => (await tablet.locator('#sketch svg').getAttribute('viewBox')).split(' ').map(Number);
  const cdp = await tablet.context().newCDPSession(tablet);
  const fingers = (type, ...at) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: at.map(([x, y], id) => ({ x, y, id })) });
  const [x0, y0, w0] = await viewBox();
  await fingers('touchStart', [cx, cy]);
  await fingers('touchMove', [cx + 40, cy + 20]);
  await fingers('touchEnd');
  const [x1, y1, w1] = await viewBox();
  assert.ok(x1 < x0 && y1 < y0 && w1 === w0, `panned: ${[x0, y0, w0]} to ${[x1, y1, w1]}`);
  await fingers('touchStart', [cx - 20, cy], [cx + 20, cy]);
  await fingers('touchMove', [cx - 60, cy], [cx + 60, cy]);
  await fingers('touchEnd');
  assert.ok((await viewBox())[2] < w1 * 0.6, 'pinched');
});
