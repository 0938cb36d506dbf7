// The pages of tables as grids with the desktop's keys: arrows and Tab move,
// Enter commits and moves down, F2 edits the text, a typed character replaces
// it, Escape drops the edit. Shift with an arrow, a click or a drag marks a
// block, which Delete clears and Ctrl+C copies as tab-separated rows (as a
// spreadsheet takes them); Ctrl+V pastes such rows at the current cell. What
// a cell holds, whether it is locked,
// its drop-down and its hint are the core's; typing goes through its rules.
import type { Outcome, Page, TalvorWeb } from './core';

// A table without a title row (name and value, one pair a row).
const NO_TITLE_ROW = 1;
// The section-line tables, which can show each point's X, Y beside the projections.
const SECTION_LINES = ['CSlipTable', 'CSlopeTable', 'CWaterTable'];

export interface GridHooks {
  // Runs an edit of the record; the page keeps undo steps around it.
  typed(edit: () => Outcome): Outcome;
  moved(): void;
  // The tab shown: 0..5 the input pages, 6 the pile kinds.
  paged(tab: number): void;
  told(text: string): void;
}

interface At { page: number; table: number; row: number; col: number }

export class Grids {
  private pages: Page[];
  private shownPage = 0;  // index into the tabs
  private at: At | null = null;
  // The block's other corner, in the current cell's table; null: the cell alone.
  private anchor: At | null = null;
  private editor: HTMLInputElement | HTMLSelectElement | null = null;
  private tabs: HTMLButtonElement[] = [];
  private body: HTMLElement;
  private pointsShown = new Set<number>();  // the pages that show them
  private switches = new Map<number, HTMLElement>();  // a page's switch, made once

  constructor(host: HTMLElement, private hint: HTMLElement, private talvor: TalvorWeb, private hooks: GridHooks) {
    // The six tabs, then the pile kinds the item's mode edits.
    this.pages = talvor.pages().filter(p => p.title !== '');
    const bar = document.createElement('div');
    bar.setAttribute('role', 'tablist');
    bar.setAttribute('aria-label', '输入表格');
    [...this.pages.map(p => p.title), '桩身参数'].forEach((title, i) => {
      const tab = document.createElement('button');
      tab.setAttribute('role', 'tab');
      tab.id = `page-tab-${i}`;
      tab.textContent = title;
      tab.addEventListener('click', () => this.showPage(i));
      bar.append(tab);
      this.tabs.push(tab);
    });
    // The arrows go from tab to tab, as in the desktop's tab bar.
    bar.addEventListener('keydown', e => {
      const step = e.key === 'ArrowRight' ? 1 : e.key === 'ArrowLeft' ? -1 : 0;
      if (!step) return;
      const i = (this.shownPage + step + this.tabs.length) % this.tabs.length;
      this.showPage(i);
      this.tabs[i].focus();
      e.preventDefault();
    });
    this.body = document.createElement('div');
    this.body.setAttribute('role', 'tabpanel');
    host.replaceChildren(bar, this.body);
    this.body.addEventListener('keydown', e => this.key(e));
    this.body.addEventListener('mousedown', e => {
      const td = (e.target as HTMLElement).closest('td');
      if (td && !td.contains(this.editor)) this.moveTo(td, e.shiftKey);
    });
    // On a touch screen a tap on the current cell edits it (no F2 there).
    this.body.addEventListener('pointerdown', e => {
      const td = (e.target as HTMLElement).closest('td');
      if (e.pointerType !== 'touch' || !td?.classList.contains('current') || this.editor) return;
      e.preventDefault();
      this.edit(null, true);
    });
    // A cell reached by Tab from outside becomes the current one.
    this.body.addEventListener('focusin', e => {
      const td = (e.target as HTMLElement).closest('td');
      if (td && !td.classList.contains('current') && !td.contains(this.editor)) this.moveTo(td);
    });
    this.body.addEventListener('mouseover', e => {
      const td = (e.target as HTMLElement).closest('td');
      if (e.buttons === 1 && td && !this.editor) this.moveTo(td, true);
    });
    this.body.addEventListener('dblclick', e => {
      // A double tap has already begun its edit at the second tap.
      if ((e.target as HTMLElement).closest('td') && !this.editor) this.edit(null);
    });
    // A focused cell is no editing host: the clipboard's events go to the document.
    document.addEventListener('paste', e => this.paste(e));
    document.addEventListener('copy', e => this.copy(e));
    this.showPage(0);
  }

  current(): At | null {
    return this.at;
  }

  editing(): boolean {
    return this.editor !== null;
  }

  // The record was replaced (opened, undone): the same place if it is still there.
  reopened() {
    this.editor = null;
    // The core's pages are new: the switches are set again as the page shows them.
    for (const page of this.pointsShown) this.talvor.setPointsShown(page, true);
  }

  refresh() {
    this.render();
  }

  // The row of a sketch element: its page shown, the row current.
  select(table: number, row: number) {
    const i = this.pages.findIndex(p => p.tables.includes(table));
    if (i < 0) return;
    this.at = { page: this.pages[i].id, table, row, col: 2 };
    this.anchor = null;
    this.showPage(i);
  }

  private pageId(i: number): number {
    return i < this.pages.length ? this.pages[i].id : this.talvor.pileKindsPage();
  }

  private showPage(i: number) {
    this.shownPage = i;
    this.hooks.paged(i);
    // The tab bar is one stop for Tab: its tab shown.
    this.tabs.forEach((t, j) => {
      t.setAttribute('aria-selected', String(i === j));
      t.tabIndex = i === j ? 0 : -1;
    });
    this.body.setAttribute('aria-labelledby', this.tabs[i].id);
    const page = this.pageId(i);
    if (!this.at || this.at.page !== page) {
      const first = this.talvor.pages().find(p => p.id === page)?.tables[0] ?? 0;
      this.at = { page, table: first, row: 1, col: 2 };
    }
    this.render();
  }

  private render() {
    const page = this.pageId(this.shownPage);
    const title = this.tabs[this.shownPage].textContent;
    const tables = this.talvor.pages().find(p => p.id === page)?.tables ?? [];
    const focused = this.body.contains(document.activeElement);
    const before = new Map([...this.body.querySelectorAll<HTMLTableElement>(':scope > table')]
      .map(t => [t.dataset.key, t]));
    this.editor = null;
    const grids = tables.map(id => {
      const head = this.talvor.table(page, id);
      const texts = this.talvor.texts(page, id);
      const states = this.talvor.states(page, id);
      // The same page and shape: only the cells that differ are touched,
      // which keeps an edit in a long table quick.
      const key = `${page}:${id}:${texts.length}:${head.titles.length}`;
      const grid = before.get(key) ?? this.newGrid(`${title} ${head.caption}`, id, key, head.titleHeight,
                                                   head.titles, head.widths, texts);
      const rows = grid.tBodies[0].rows;
      texts.forEach((row, r) => row.forEach((text, c) => {
        const td = rows[r].cells[c];
        if (td.textContent !== text || td.firstElementChild) td.textContent = text;
        const state = states[r * head.titles.length + c];
        const locked = state === 'l' || state === 'x';
        td.classList.toggle('locked', locked);
        td.classList.toggle('warned', state === 'w' || state === 'x');
        td.toggleAttribute('aria-readonly', locked);
      }));
      return grid;
    });
    const switches = tables.some(id => SECTION_LINES.includes(this.talvor.table(page, id).name))
      ? [this.pointsSwitch(page)] : [];
    const shown = [...switches, ...grids];
    // Tables put back into the page are laid out anew, which a long one feels.
    const kids = this.body.children;
    if (kids.length !== shown.length || shown.some((e, i) => kids[i] !== e)) this.body.replaceChildren(...shown);
    this.focus(focused);
  }

  private pointsSwitch(page: number): HTMLElement {
    const kept = this.switches.get(page);
    if (kept) {
      kept.querySelector('input')!.checked = this.pointsShown.has(page);
      return kept;
    }
    const label = document.createElement('label');
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.checked = this.pointsShown.has(page);
    box.addEventListener('change', () => {
      if (box.checked) this.pointsShown.add(page);
      else this.pointsShown.delete(page);
      this.talvor.setPointsShown(page, box.checked);
      this.render();
    });
    label.append(box, '显示和输入各点坐标 X, Y');
    this.switches.set(page, label);
    return label;
  }

  private newGrid(label: string, id: number, key: string, titleHeight: number, titles: string[],
                  widths: number[], texts: string[][]): HTMLTableElement {
    const grid = document.createElement('table');
    grid.setAttribute('role', 'grid');
    grid.setAttribute('aria-label', label);
    grid.dataset.table = String(id);
    grid.dataset.key = key;
    if (titleHeight !== NO_TITLE_ROW) {
      const tr = grid.createTHead().insertRow();
      titles.forEach((t, c) => {
        const th = document.createElement('th');
        th.textContent = t;
        th.style.minWidth = `${widths[c]}px`;
        tr.append(th);
      });
    }
    const tbody = grid.createTBody();
    texts.forEach((row, r) => {
      const tr = tbody.insertRow();
      row.forEach((_, c) => {
        const td = tr.insertCell();
        td.setAttribute('role', 'gridcell');
        td.tabIndex = -1;
        td.dataset.row = String(r + 1);
        td.dataset.col = String(c + 1);
      });
    });
    return grid;
  }

  private cellElement(at: At): HTMLTableCellElement | null {
    return this.body.querySelector(`table[data-table="${at.table}"] td[data-row="${at.row}"][data-col="${at.col}"]`);
  }

  private focus(take = true) {
    this.body.querySelectorAll('td.current').forEach(td => td.classList.remove('current'));
    this.body.querySelectorAll('td[aria-selected]').forEach(td => td.removeAttribute('aria-selected'));
    let td = this.at ? this.cellElement(this.at) : null;
    if (!td) {
      td = this.body.querySelector('td:not(.locked)') ?? this.body.querySelector('td');
      if (!td) return;
      this.at = this.placeOf(td);
    }
    td.classList.add('current');
    // One tab stop a table: its current cell, or the first cell of the others.
    this.body.querySelectorAll<HTMLElement>('td[tabindex="0"]').forEach(c => (c.tabIndex = -1));
    for (const grid of this.body.querySelectorAll<HTMLTableElement>(':scope > table')) {
      const stop = grid.contains(td) ? td : grid.tBodies[0]?.rows[0]?.cells[0];
      if (stop) stop.tabIndex = 0;
    }
    const block = this.block();
    if (block) {
      const grid = td.closest('table')!;
      for (let r = block.r1; r <= block.r2; ++r)
        for (let c = block.c1; c <= block.c2; ++c)
          grid.tBodies[0].rows[r - 1]?.cells[c - 1]?.setAttribute('aria-selected', 'true');
    }
    if (take) td.focus();
    this.showHint();
    this.hooks.moved();
  }

  private placeOf(td: HTMLTableCellElement): At {
    return {
      page: this.pageId(this.shownPage),
      table: Number(td.closest('table')!.dataset.table),
      row: Number(td.dataset.row),
      col: Number(td.dataset.col),
    };
  }

  private moveTo(td: HTMLTableCellElement, extend = false) {
    if (this.editor) this.commit();
    const to = this.placeOf(td);
    this.mark(extend && this.at?.table === to.table);
    this.at = to;
    this.focus();
  }

  // A move that extends the block keeps (or sets) its other corner; any other drops it.
  private mark(extend: boolean) {
    if (!extend) this.anchor = null;
    else if (!this.anchor && this.at) this.anchor = { ...this.at };
  }

  // The marked block, 1-based and inclusive; null when no block is marked.
  private block() {
    const a = this.anchor, b = this.at;
    if (!a || !b || a.table !== b.table || a.page !== b.page) return null;
    return { r1: Math.min(a.row, b.row), r2: Math.max(a.row, b.row),
             c1: Math.min(a.col, b.col), c2: Math.max(a.col, b.col) };
  }

  // Within the table; Tab runs on into the next row.
  // False at the table's edge.
  private move(dRow: number, dCol: number, wrap = false, extend = false): boolean {
    if (!this.at) return false;
    this.mark(extend);
    const grid = this.body.querySelector<HTMLTableElement>(`table[data-table="${this.at.table}"]`);
    if (!grid) return false;
    const rows = grid.tBodies[0].rows.length;
    const cols = grid.tBodies[0].rows[0]?.cells.length ?? 0;
    let row = this.at.row + dRow;
    let col = this.at.col + dCol;
    if (wrap && col > cols && row < rows) [row, col] = [row + 1, 1];
    if (wrap && col < 1 && row > 1) [row, col] = [row - 1, cols];
    if (row < 1 || row > rows || col < 1 || col > cols) return false;
    this.at = { ...this.at, row, col };
    this.focus();
    return true;
  }

  private showHint() {
    if (!this.at) return;
    const cell = this.talvor.cell(this.at.page, this.at.table, this.at.row, this.at.col);
    const parts = [cell.warning, cell.hint.trim(), cell.unit ? `单位: ${cell.unit}` : ''].filter(p => p);
    this.hint.textContent = parts.join('\n');
    this.hint.hidden = parts.length === 0;
  }

  // F2 (start null: the cell's text) or a typed character (the text replaced);
  // a tap marks the whole text, which the soft keyboard then replaces.
  private edit(start: string | null, marked = false) {
    if (!this.at) return;
    const { page, table, row, col } = this.at;
    const cell = this.talvor.cell(page, table, row, col);
    const td = this.cellElement(this.at);
    if (!cell.editable || !td) return;
    let editor: HTMLInputElement | HTMLSelectElement;
    if (cell.combo) {
      const select = document.createElement('select');
      cell.items.forEach((item, i) => select.add(new Option(item, item, false, i === cell.itemShown)));
      editor = select;
    } else {
      const input = document.createElement('input');
      input.value = start ?? cell.text;
      editor = input;
    }
    editor.setAttribute('aria-label', cell.name);
    editor.addEventListener('blur', () => {
      if (this.editor === editor) this.commit();
    });
    td.replaceChildren(editor);
    this.editor = editor;
    editor.focus();
    // F2 goes on from the end of the text, as in a spreadsheet.
    if (editor instanceof HTMLInputElement) {
      editor.setSelectionRange(marked ? 0 : editor.value.length, editor.value.length);
    }
  }

  private commit() {
    const editor = this.editor;
    if (!editor || !this.at) return;
    this.editor = null;
    this.type(editor.value);
  }

  private type(text: string) {
    if (!this.at) return;
    const { page, table, row, col } = this.at;
    const outcome = this.hooks.typed(() => this.talvor.type(page, table, row, col, text));
    if (outcome === 'refused') this.hooks.told('此单元格不能输入');
    // A changed record redrew every view; an unchanged one may still carry a
    // new warning on the text typed.
    if (outcome !== 'changed') this.render();
  }

  private key(e: KeyboardEvent) {
    if (this.editor) {
      if (e.key === 'Escape') {
        this.editor = null;
        this.render();
      } else if (e.key === 'Enter') {
        this.commit();
        this.move(1, 0);
      } else if (e.key === 'Tab') {
        this.commit();
        this.move(0, e.shiftKey ? -1 : 1, true);
      } else if ((e.key === 'ArrowUp' || e.key === 'ArrowDown') && this.editor instanceof HTMLInputElement) {
        this.commit();
        this.move(e.key === 'ArrowUp' ? -1 : 1, 0);
      } else {
        return;
      }
      e.preventDefault();
      e.stopPropagation();
      return;
    }
    const moves: Record<string, [number, number]> = {
      ArrowUp: [-1, 0], ArrowDown: [1, 0], ArrowLeft: [0, -1], ArrowRight: [0, 1], Enter: [1, 0],
    };
    if (e.ctrlKey || e.metaKey || e.altKey) return;
    if (moves[e.key]) this.move(...moves[e.key], false, e.shiftKey && e.key !== 'Enter');
    // Tab past the table's last cell (Shift+Tab before its first) leaves it,
    // so that the keys alone reach the controls after it.
    else if (e.key === 'Tab') {
      if (!this.move(0, e.shiftKey ? -1 : 1, true)) return;
    } else if (e.key === 'F2') this.edit(null);
    else if (e.key === 'Delete') this.clear();
    else if (e.key.length === 1) this.edit(e.key);
    else return;
    e.preventDefault();
  }

  // Delete: every editable cell of the block (or the current cell) emptied, one undo step.
  private clear() {
    if (!this.at) return;
    const { page, table } = this.at;
    const b = this.block() ?? { r1: this.at.row, r2: this.at.row, c1: this.at.col, c2: this.at.col };
    const cols = this.talvor.table(page, table).titles.length;
    const states = this.talvor.states(page, table);
    const outcome = this.hooks.typed(() => {
      let changed = false;
      for (let r = b.r1; r <= b.r2; ++r)
        for (let c = b.c1; c <= b.c2; ++c)
          if ('ew'.includes(states[(r - 1) * cols + c - 1]))
            changed = this.talvor.type(page, table, r, c, '') === 'changed' || changed;
      return changed ? 'changed' : 'unchanged';
    });
    if (outcome !== 'changed') this.render();
  }

  private inGrid(): boolean {
    return !this.editor && this.at !== null && this.body.contains(document.activeElement);
  }

  private paste(e: ClipboardEvent) {
    if (!this.inGrid() || !this.at) return;
    const block = e.clipboardData?.getData('text/plain') ?? '';
    const { page, table, row, col } = this.at;
    let refusals = '';
    const outcome = this.hooks.typed(() => {
      const p = this.talvor.paste(page, table, row, col, block);
      refusals = p.refusals;
      return p.outcome;
    });
    if (refusals) this.hooks.told(`以下内容未能放入表格: ${refusals}`);
    if (outcome !== 'changed') this.render();
    e.preventDefault();
  }

  // The block's texts as shown, a tab between cells and a line end after each row.
  private copy(e: ClipboardEvent) {
    if (!this.inGrid() || !this.at) return;
    const { page, table, row, col } = this.at;
    const b = this.block() ?? { r1: row, r2: row, c1: col, c2: col };
    const rows = this.talvor.texts(page, table).slice(b.r1 - 1, b.r2);
    e.clipboardData?.setData('text/plain', rows.map(r => r.slice(b.c1 - 1, b.c2).join('\t') + '\n').join(''));
    e.preventDefault();
  }
}
