// The web edition's module under node, driven as the page drives it, and held
// to the native talvor-cli: the tables it shows, the record typed through
// them, and the files of a calculation, byte for byte.
// Environment: TALVOR_WEB_MODULE (talvor-web.js), TALVOR_CLI.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync, spawnSync } = require('node:child_process');

const modulePath = process.env.TALVOR_WEB_MODULE;
const cliPath = process.env.TALVOR_CLI;

let web;  // the module, loaded once
async function fresh() {
    if (!web) {
        const createTalvor = require(modulePath);
        // Node's fetch takes no file path: the module gets its bytes.
        web = await createTalvor({ wasmBinary: fs.readFileSync(modulePath.replace(/\.js$/, '.wasm')) });
    }
    const t = new web.TalvorWeb('/talvor');
    t.openDefault();
    return t;
}

function scratch() {
    return fs.mkdtempSync(path.join(os.tmpdir(), 'talvor-web-'));
}

function cli(dir, ...args) {
    return spawnSync(cliPath, args, { cwd: dir, encoding: 'buffer' });
}

// TableId and page of every table, by class name.
function tablesByName(t) {
    const found = {};
    for (const page of t.pages())
        for (const id of page.tables) found[t.table(page.id, id).name] = { page: page.id, id };
    return found;
}

test('the worked example and its tables are those of the native program', async () => {
    const t = await fresh();
    const dir = scratch();
    assert.equal(cli(dir, 'new', 'item.TV').status, 0);
    assert.ok(Buffer.from(t.save()).equals(fs.readFileSync(path.join(dir, 'item.TV'))));
    const tables = tablesByName(t);
    assert.equal(Object.keys(tables).length, 17);
    for (const [name, { page, id }] of Object.entries(tables)) {
        const shown = t.texts(page, id).map(row => row.join('\t') + '\n').join('');
        const out = cli(dir, 'table', 'item.TV', name);
        assert.equal(out.status, 0, name);
        assert.equal(shown, out.stdout.toString('utf8'), name);
        const head = t.table(page, id);
        assert.equal(head.titles.length, head.widths.length, name);
    }
});

test('cells typed through the tables give the native tables\' record', async () => {
    const t = await fresh();
    const tables = tablesByName(t);
    // [table, row, column, text, outcome]
    const edits = [
        ['CSlipCountTable', 1, 2, '8', 'changed'],
        ['CSlipCountTable', 1, 2, '8', 'unchanged'],
        ['CSlipCountTable', 1, 1, '3', 'refused'],  // the name column
        ['CSlipTable', 2, 2, '7.25', 'changed'],
        ['CSlipTable', 99, 2, '1', 'refused'],  // below the last segment
        ['CSlipTable', 3, 2, '7'.repeat(10000), 'changed'],
        ['CSlipTable', 4, 3, 'nan', 'changed'],
        ['CSlipTable', 4, 3, 'abc', 'unchanged'],
        ['CBasicTable', 1, 2, '20.5', 'changed'],
    ];
    for (const [name, row, col, text, outcome] of edits) {
        const { page, id } = tables[name];
        assert.equal(t.type(page, id, row, col, text), outcome, `${name} ${row},${col}=${text.slice(0, 12)}`);
    }
    // Cells read only in part are flagged while they hold their value.
    assert.ok(t.flags().length > 0);

    const dir = scratch();
    assert.equal(cli(dir, 'new', 'item.TV').status, 0);
    for (let i = 0; i < edits.length;) {
        const args = ['table', 'item.TV', edits[i][0], '--write'];
        for (; i < edits.length && edits[i][0] === args[2]; ++i)
            args.push('--set', `${edits[i][1]},${edits[i][2]}=${edits[i][3]}`);
        assert.notEqual(cli(dir, ...args).status, 2, args.slice(0, 3).join(' '));
    }
    assert.ok(Buffer.from(t.save()).equals(fs.readFileSync(path.join(dir, 'item.TV'))));
});

test('a damaged or hostile data file is told of, and a foreign one leaves the item', async () => {
    const t = await fresh();
    const example = Buffer.from(t.save());
    const typo = Buffer.from(example.toString('latin1').replace('19.000000', '19.0O0000'), 'latin1');
    let seed = 29;
    const noise = Buffer.alloc(200000, 0).map(() => (seed = (seed * 1103515245 + 12345) % 2147483648) >> 23);
    const cases = [
        // [what, bytes, read]
        ['a typo in a value', typo, true],
        ['the example cut in half', example.subarray(0, example.length >> 1), true],
        ['nothing', Buffer.alloc(0), false],
        ['random bytes', noise, false],
        ['twenty megabytes', Buffer.alloc(20 << 20, 0x31), false],
    ];
    for (const [what, bytes, read] of cases) {
        t.openDefault();
        assert.equal(t.open(bytes, 'item.TV'), read, what);
        if (!read) assert.ok(Buffer.from(t.save()).equals(example), what);
        else assert.ok(t.diagnostics().length > 0, what);
    }
    t.open(typo, 'item.TV');
    const told = t.diagnostics().find(d => d.found.includes('19.0O0000'));
    assert.ok(told && told.line > 0 && told.field !== '', JSON.stringify(t.diagnostics()));
});

// calc writes no data file; a project's calculation writes its item's back,
// with the run's result names.
test('the worked example calculated gives talvor-cli\'s files byte for byte', async () => {
    const t = await fresh();
    const dir = scratch();
    const name = '&TLVR_0001.dat';
    assert.equal(cli(dir, 'project', 'prj', 'add').status, 0);
    fs.copyFileSync(path.join(dir, 'prj', name), path.join(dir, name));
    assert.ok(t.open(fs.readFileSync(path.join(dir, name)), name));
    const status = cli(dir, 'calc', name, '--keep-directives').status;
    assert.ok(status === 0 || status === 3, `talvor-cli calc: ${status}`);
    assert.ok([0, 3].includes(cli(dir, 'project', 'prj', 'calc', '--keep-directives').status));
    const run = t.calculate(name, undefined);
    assert.equal(run.result, 1);
    const names = run.files.map(f => f.name).sort();
    const written = fs.readdirSync(dir).filter(n => n !== name && n !== 'prj').sort();
    assert.deepEqual(names, written);
    assert.ok(names.includes(run.reportName));
    for (const f of run.files) {
        assert.ok(Buffer.from(f.bytes).equals(fs.readFileSync(path.join(dir, f.name))), f.name);
        assert.equal(f.svg.startsWith('<svg'), f.name.endsWith('.DXF'), f.name);
    }
    assert.ok(Buffer.from(run.dataFile).equals(fs.readFileSync(path.join(dir, 'prj', name))));
});

test('a design tells its progress and stops when the page cancels it', async () => {
    const t = await fresh();
    const { page, id } = tablesByName(t)['CControlTable'];
    assert.equal(t.type(page, id, 1, 2, '自动设计'), 'changed');
    const berm = t.cell(page, id, 2, 2).items.find(item => item.includes('反压'));
    assert.equal(t.type(page, id, 2, 2, berm), 'changed');
    const seen = [];
    const run = t.calculate('item.TV', (done, total) => {
        seen.push([done, total]);
        return seen.length < 3;
    });
    assert.equal(seen.length, 3);
    assert.ok(seen.every(([done, total]) => total > 0 && done <= total), JSON.stringify(seen));
    assert.equal(run.result, 0);
    assert.equal(run.status.at(-1).text, '计算失败 !');
});
