// The calculation window in the browser: the live sketch beside the pages of
// tables, "计算" in a worker, the report with its drawings, the data file
// opened and saved on the user's machine. Every value, rule, hint and
// drawing comes from the core (talvor-web.js); the page only shows them.
import { loadCore, Bytes, TalvorWeb, Run } from './core';
import { Grids } from './grids';
import { showReport } from './report';
import type { CalcReply } from './worker';

const $ = <T extends HTMLElement>(id: string) => document.getElementById(id) as T;

let talvor: TalvorWeb;
let itemName = 'example.TV';
let grids: Grids;
const undoSteps: Bytes[] = [];
const redoSteps: Bytes[] = [];
// The file the item was opened from or saved to through the browser's file
// system access: saving writes back to it.
let fileHandle: FileSystemFileHandle | null = null;

// Where the browser has it (Chromium), files are opened and saved in place;
// elsewhere through an upload and a download.
interface FilePickers {
  showOpenFilePicker?(options: object): Promise<FileSystemFileHandle[]>;
  showSaveFilePicker?(options: object): Promise<FileSystemFileHandle>;
}
const pickers = window as unknown as FilePickers;
const dataFiles = { id: 'talvor', types: [{ description: 'Talvor计算数据文件(*.TV)',
                                            accept: { 'application/octet-stream': ['.TV', '.tv', '.DAT', '.dat'] } }] };

function status(text: string) {
  $('status').textContent = text;
}

function download(name: string, bytes: Bytes | string, type = 'application/octet-stream') {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(new Blob([bytes], { type }));
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}

// The sketch of the input as it is now; the row's element lit.
// The part of the sketch in view (zoomed and panned); null: all of it.
let view: { x: number; y: number; w: number; h: number } | null = null;

// The sketch's SVG as last shown, a line an element, and the element of each
// line that holds one whole element (null for the others).
let sketchLines: string[] = [];
let lineNodes: (Element | null)[] = [];

function drawSketch() {
  const box = $('sketch');
  const started = performance.now();
  const sketch = talvor.sketch(Math.max(box.clientWidth, 200), Math.max(box.clientHeight, 150));
  // For the benchmark: the core's part of a redrawn sketch.
  document.body.dataset.sketchMs = (performance.now() - started).toFixed(1);
  if (sketch.same || !sketch.svg) {
    lightRow();
    return;
  }
  const lines = sketch.svg.split('\n');
  if (!redrawChanged(lines)) {
    box.innerHTML = sketch.svg;
    // The box is the picture with the desktop's name; the drawing's parts are not read out.
    box.firstElementChild?.setAttribute('aria-hidden', 'true');
    lineNodes = nodesOfLines(lines);
  }
  sketchLines = lines;
  showView();
  lightRow();
}

// The element each line starts (null for a line of an end tag), found by
// counting the start tags of the lines before it in document order.
function nodesOfLines(lines: string[]): (Element | null)[] {
  const svg = $('sketch').querySelector('svg');
  const all = svg ? [svg, ...svg.querySelectorAll('*')] : [];
  let next = 0;
  return lines.map(line => {
    const starts = line.match(/<[A-Za-z]/g)?.length ?? 0;
    const node = starts > 0 ? all[next] ?? null : null;
    next += starts;
    return node;
  });
}

// Only the lines that differ are put into the DOM anew, each holding one
// whole element (an edit that leaves the drawing's frame changes a few, often
// none); false when the frame or the structure changed and it is drawn whole.
function redrawChanged(lines: string[]): boolean {
  if (lines.length !== sketchLines.length || lines.length !== lineNodes.length) return false;
  const differ = lines.flatMap((line, i) => (line === sketchLines[i] ? [] : [i]));
  // Past a few, one parse of the whole is quicker than one a line.
  if (differ.length > 64) return false;
  const svgNs = 'http://www.w3.org/2000/svg';
  const changed: [number, Element][] = [];
  for (const i of differ) {
    const holder = document.createElementNS(svgNs, 'g');
    holder.innerHTML = lines[i];
    const node = holder.firstElementChild;
    // A whole element: it ends its line and holds every start tag of it.
    const whole = node && holder.childNodes.length === 1 && (lines[i].endsWith('/>') || lines[i].endsWith(`</${node.tagName}>`))
      && 1 + node.querySelectorAll('*').length === (lines[i].match(/<[A-Za-z]/g)?.length ?? 0);
    if (i === 0 || !lineNodes[i] || !whole) return false;
    changed.push([i, node]);
  }
  for (const [i, node] of changed) {
    lineNodes[i]!.replaceWith(node);
    lineNodes[i] = node;
  }
  return true;
}

function showView() {
  const svg = $('sketch').querySelector('svg');
  if (!svg) return;
  if (!svg.dataset.full) svg.dataset.full = svg.getAttribute('viewBox') ?? '';
  svg.setAttribute('viewBox', view ? `${view.x} ${view.y} ${view.w} ${view.h}` : svg.dataset.full);
}

// Sketch units per screen pixel: what a pointer's few pixels span when zoomed.
function unitsPerPixel() {
  const svg = $('sketch').querySelector('svg');
  return svg ? svg.viewBox.baseVal.width / Math.max(svg.getBoundingClientRect().width, 1) : 1;
}

function lightRow() {
  const box = $('sketch');
  box.querySelectorAll('.lit').forEach(e => e.classList.remove('lit'));
  const at = grids?.current();
  if (!at) return;
  box.querySelectorAll(`[data-table="${at.table}"][data-row="${at.row}"]`).forEach(e => e.classList.add('lit'));
}

// The pointer in the sketch's own pixels, as the core drew it.
function svgPoint(e: { clientX: number; clientY: number }) {
  const svg = $('sketch').querySelector('svg');
  const toSvg = svg?.getScreenCTM()?.inverse();
  if (!svg || !toSvg) return null;
  return new DOMPoint(e.clientX, e.clientY).matrixTransform(toSvg);
}

// Pointing names the element and the coordinates; a click selects the
// element's row; the wheel zooms about the pointer, a drag pans (a mouse or
// one finger), two fingers pinch, a double click shows the whole sketch again.
function wireSketch() {
  const box = $('sketch');
  const down = new Map<number, { x: number; y: number }>();  // pointers pressed, where they were last
  let moved = false;
  const hitAt = (e: MouseEvent) => {
    const p = svgPoint(e);
    return p ? { p, hit: talvor.hit(p.x, p.y, 4 * unitsPerPixel()) } : null;
  };
  // k < 1 zooms in about the sketch point p.
  const zoom = (p: DOMPoint, k: number) => {
    const vb = box.querySelector('svg')!.viewBox.baseVal;
    view = { x: p.x - (p.x - vb.x) * k, y: p.y - (p.y - vb.y) * k, w: vb.width * k, h: vb.height * k };
    showView();
  };
  box.addEventListener('pointerdown', e => {
    down.set(e.pointerId, { x: e.clientX, y: e.clientY });
    moved = false;
  });
  box.addEventListener('pointermove', e => {
    const was = down.get(e.pointerId);
    const svg = box.querySelector('svg');
    if (!was || !svg) {
      const at = hitAt(e);
      if (at) $('position').textContent = talvor.position(at.p.x, at.p.y) + (at.hit >= 0 ? '  ' + talvor.element(at.hit).description : '');
      return;
    }
    const [dx, dy] = [e.clientX - was.x, e.clientY - was.y];
    if (!moved && Math.abs(dx) + Math.abs(dy) <= 3) return;
    moved = true;
    const other = [...down].find(([id]) => id !== e.pointerId)?.[1];
    if (other) {
      const apart = (a: { x: number; y: number }) => Math.hypot(a.x - other.x, a.y - other.y);
      const mid = svgPoint({ clientX: (e.clientX + other.x) / 2, clientY: (e.clientY + other.y) / 2 });
      if (mid && apart(e) > 0) zoom(mid, apart(was) / apart(e));
    } else {
      const vb = svg.viewBox.baseVal;
      const k = unitsPerPixel();
      view = { x: vb.x - dx * k, y: vb.y - dy * k, w: vb.width, h: vb.height };
      showView();
    }
    down.set(e.pointerId, { x: e.clientX, y: e.clientY });
  });
  for (const type of ['pointerup', 'pointercancel', 'pointerleave'])
    box.addEventListener(type, e => down.delete((e as PointerEvent).pointerId));
  box.addEventListener('click', e => {
    const at = moved ? null : hitAt(e);
    const element = at && at.hit >= 0 ? talvor.element(at.hit) : null;
    if (element) grids.select(element.table, element.row);
  });
  box.addEventListener('wheel', e => {
    const p = svgPoint(e);
    if (!p || !box.querySelector('svg')) return;
    e.preventDefault();
    zoom(p, e.deltaY < 0 ? 0.8 : 1.25);
  }, { passive: false });
  box.addEventListener('dblclick', () => {
    view = null;
    showView();
  });
}

// The data file's bytes of the record as shown, the undo step of the next
// change: taken once the change is drawn, out of the way of the edit.
let snapshot: Bytes | null = null;
const shownBytes = () => (snapshot ??= talvor.save());

// The record is replaced or changed: tables, sketch and the undo buttons.
function recordChanged() {
  snapshot = null;
  requestAnimationFrame(() => setTimeout(shownBytes));
  $<HTMLInputElement>('description').value = talvor.name();
  grids.refresh();
  drawSketch();
  $<HTMLButtonElement>('undo').disabled = undoSteps.length === 0;
  $<HTMLButtonElement>('redo').disabled = redoSteps.length === 0;
}

function step(from: Bytes[], to: Bytes[]) {
  const bytes = from.pop();
  if (!bytes) return;
  to.push(shownBytes());
  talvor.open(bytes, itemName);
  grids.reopened();
  recordChanged();
}

function showDiagnostics() {
  const list = $('diagnostics');
  list.replaceChildren();
  const lines = [...talvor.diagnostics().map(d => d.text), ...talvor.messages().map(m => m.text)];
  for (const text of lines) {
    const li = document.createElement('li');
    li.textContent = text;
    list.append(li);
  }
  $('diagnostics-box').hidden = lines.length === 0;
}

async function openFile(file: File, handle: FileSystemFileHandle | null = null) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  const before = shownBytes();
  if (talvor.open(bytes, file.name)) {
    itemName = file.name;
    fileHandle = handle;
    undoSteps.length = 0;
    redoSteps.length = 0;
    grids.reopened();
    recordChanged();
    status(`已读入 ${file.name}`);
  } else {
    talvor.open(before, itemName);
    status(`未能读入 ${file.name}`);
  }
  showDiagnostics();
}

async function chooseFile() {
  if (!pickers.showOpenFilePicker) {
    $<HTMLInputElement>('open-file').click();
    return;
  }
  try {
    const [handle] = await pickers.showOpenFilePicker(dataFiles);
    await openFile(await handle.getFile(), handle);
  } catch (e) {
    if ((e as Error).name !== 'AbortError') status(`未能读入: ${e}`);
  }
}

// Back into the file opened or saved before; a new file is chosen when there
// is none or it may not be written.
async function saveFile() {
  const bytes = talvor.save();
  const write = async (handle: FileSystemFileHandle) => {
    const out = await handle.createWritable();
    await out.write(bytes);
    await out.close();
    fileHandle = handle;
    status(`已存盘到 ${handle.name}`);
  };
  try {
    if (fileHandle) {
      try {
        return await write(fileHandle);
      } catch (e) {
        if ((e as Error).name !== 'NotAllowedError') throw e;
      }
    }
    if (!pickers.showSaveFilePicker) return download(itemName, bytes);
    await write(await pickers.showSaveFilePicker({ ...dataFiles, suggestedName: itemName }));
  } catch (e) {
    if ((e as Error).name !== 'AbortError') status(`未能存盘: ${e}`);
  }
}

// A change of the record as a whole (a template, pile kinds from the
// library), undone as one step.
function replaced(change: () => boolean, told: string) {
  const before = shownBytes();
  if (!change()) {
    status(talvor.messages().map(m => m.text).join(' ') || '未改变');
    return;
  }
  undoSteps.push(before);
  redoSteps.length = 0;
  grids.reopened();
  recordChanged();
  status(told);
}

function wireTemplates() {
  const chooser = $<HTMLSelectElement>('template');
  talvor.templateLines().forEach((line, i) => chooser.add(new Option(line, String(i))));
  $('new').addEventListener('click', () => {
    const line = Number(chooser.value);
    replaced(() => talvor.openTemplate(line), `已取 ${chooser.selectedOptions[0]?.text ?? ''}`);
    fileHandle = null;
  });
}

// "从库中选择": the pile library's tests as a list; the ones ticked become the
// item's pile kinds.
function wireLibrary() {
  const dialog = $<HTMLDialogElement>('library-dialog');
  const list = $<HTMLTableElement>('library-list');
  $('library').addEventListener('click', () => {
    list.replaceChildren();
    const head = list.createTHead().insertRow();
    for (const title of ['选择', ...talvor.pileLibraryColumns()]) head.insertCell().textContent = title;
    const body = list.createTBody();
    talvor.pileLibraryRows().forEach((row, i) => {
      const tr = body.insertRow();
      const tick = document.createElement('input');
      tick.type = 'checkbox';
      tick.value = String(i);
      tick.setAttribute('aria-label', `第 ${i + 1} 行`);
      tr.insertCell().append(tick);
      for (const text of row) tr.insertCell().textContent = text;
    });
    dialog.returnValue = '';
    dialog.showModal();
    list.querySelector('input')?.focus();
  });
  // Enter takes the rows ticked, as the list's default button; Esc cancels.
  dialog.addEventListener('keydown', e => {
    if (e.key !== 'Enter' || (e.target as HTMLElement).matches('button')) return;
    e.preventDefault();
    dialog.close('take');
  });
  dialog.addEventListener('close', () => {
    if (dialog.returnValue !== 'take') return;
    const rows = [...list.querySelectorAll<HTMLInputElement>('input:checked')].map(t => Number(t.value));
    replaced(() => talvor.takePileKinds(rows), `已从库中取 ${rows.length} 种桩`);
  });
}

let worker: Worker | null = null;

function calculate() {
  const data = talvor.save();
  worker ??= new Worker('worker.js');
  const button = $<HTMLButtonElement>('calculate');
  const cancel = $<HTMLButtonElement>('cancel');
  button.disabled = true;
  cancel.hidden = false;
  $('report').replaceChildren();
  $('report').hidden = true;
  status('计算中…');
  const started = performance.now();
  const finish = () => {
    button.disabled = false;
    cancel.hidden = true;
  };
  worker.onmessage = (e: MessageEvent<CalcReply>) => {
    const reply = e.data;
    if (reply.kind === 'progress') {
      if (reply.total > 0) status(`搜索进度 ${reply.done}/${reply.total}  (按Esc键取消)`);
      return;
    }
    finish();
    shown(reply.run, performance.now() - started);
  };
  worker.onerror = e => {
    finish();
    status(`计算失败: ${e.message}`);
  };
  worker.postMessage({ data, name: itemName });
}

function cancelCalculation() {
  if (!worker || $<HTMLButtonElement>('cancel').hidden) return;
  worker.terminate();
  worker = null;
  $<HTMLButtonElement>('calculate').disabled = false;
  $<HTMLButtonElement>('cancel').hidden = true;
  status('计算已取消');
}

function shown(run: Run, ms: number) {
  const lines = run.status.map(s => (s.code ? `[${s.code}] ` : '') + s.text);
  status(lines.length ? lines[lines.length - 1] : run.result === 1 ? '计算成功' : '计算失败');
  document.body.dataset.calcMs = String(Math.round(ms));
  showReport($('report'), run, itemName, `${itemName}  ${talvor.name()}`, download);
}

async function start() {
  const core = await loadCore();
  talvor = new core.TalvorWeb('/talvor');
  talvor.openDefault();
  reopenKept();
  grids = new Grids($('pages'), $('hint'), talvor, {
    typed: (edit) => {
      const started = performance.now();
      const before = shownBytes();
      const outcome = edit();
      if (outcome === 'changed') {
        undoSteps.push(before);
        redoSteps.length = 0;
        recordChanged();
      }
      // For the benchmark: an edit until the tables and the sketch are redrawn.
      document.body.dataset.editMs = (performance.now() - started).toFixed(1);
      return outcome;
    },
    moved: lightRow,
    told: status,
  });
  wireSketch();
  wireTemplates();
  wireLibrary();
  recordChanged();

  $('open').addEventListener('click', chooseFile);
  $<HTMLInputElement>('open-file').addEventListener('change', e => {
    const input = e.target as HTMLInputElement;
    if (input.files?.[0]) openFile(input.files[0]);
    input.value = '';
  });
  $('save').addEventListener('click', saveFile);
  // The description line ("说明") is one undoable edit when it is left or Enter is pressed.
  $('description').addEventListener('change', e => {
    const before = shownBytes();
    if (!talvor.setName((e.target as HTMLInputElement).value)) return;
    undoSteps.push(before);
    redoSteps.length = 0;
    recordChanged();
  });
  $('undo').addEventListener('click', () => step(undoSteps, redoSteps));
  $('redo').addEventListener('click', () => step(redoSteps, undoSteps));
  $('calculate').addEventListener('click', calculate);
  $('cancel').addEventListener('click', cancelCalculation);
  document.addEventListener('keydown', e => {
    if (e.key === 'Escape') cancelCalculation();
    // A text line of its own (the description) keeps its own undo.
    if (!(e.ctrlKey || e.metaKey) || grids.editing() || (e.target as HTMLElement).matches('input[type=text], input:not([type])'))
      return;
    const key = e.key.toLowerCase();
    if (key === 'z' && !e.shiftKey) step(undoSteps, redoSteps);
    else if (key === 'y' || (key === 'z' && e.shiftKey)) step(redoSteps, undoSteps);
    else return;
    e.preventDefault();
  });
  window.addEventListener('resize', drawSketch);
  document.body.dataset.ready = String(Math.round(performance.now()));
  status('就绪');
}

// The item over a reload onto a newer build (not its undo steps nor its file
// handle); one too large for the session's storage is not kept.
const KEPT = 'talvor-item';

function keepItem() {
  try {
    const data = Array.from(talvor.save(), b => String.fromCharCode(b)).join('');
    sessionStorage.setItem(KEPT, JSON.stringify({ name: itemName, data: btoa(data) }));
  } catch {
    sessionStorage.removeItem(KEPT);
  }
}

function reopenKept() {
  const kept = sessionStorage.getItem(KEPT);
  if (!kept) return;
  sessionStorage.removeItem(KEPT);
  const { name, data } = JSON.parse(kept) as { name: string; data: string };
  if (talvor.open(Uint8Array.from(atob(data), c => c.charCodeAt(0)), name)) itemName = name;
}

// Kept for offline use; a newer build found is told, with a button that
// lets it take over and reloads the page with it.
function keepOffline() {
  if (!('serviceWorker' in navigator)) return;
  let reloading = false;
  const offer = (next: ServiceWorker) => {
    $('update').hidden = false;
    $('reload').onclick = () => {
      reloading = true;
      next.postMessage('take over');
    };
  };
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (!reloading) return;
    keepItem();
    location.reload();
  });
  navigator.serviceWorker.register('sw.js').then(reg => {
    if (reg.waiting && navigator.serviceWorker.controller) offer(reg.waiting);
    reg.addEventListener('updatefound', () => {
      const next = reg.installing;
      next?.addEventListener('statechange', () => {
        if (next.state === 'installed' && navigator.serviceWorker.controller) offer(next);
      });
    });
  }).catch(() => {});
}

keepOffline();
start().catch(e => status(`无法载入计算核心: ${e}`));
