// The calculation window in the browser: the live sketch beside the pages of
// tables, "计算" in a worker, the report with its drawings, the data file
// opened and saved on the user's machine. Every value, rule, hint and
// drawing comes from the core (talvor-web.js); the page only shows them.
import { loadCore, Bytes, TalvorWeb, Run } from './core';
import { Grids } from './grids';
import { Sketch } from './sketch';
import { showReport } from './report';
import type { CalcReply } from './worker';

const $ = <T extends HTMLElement>(id: string) => document.getElementById(id) as T;

let talvor: TalvorWeb;
let itemName = 'example.TV';
let grids: Grids;
let sketch: Sketch;
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

// The picture that explains the tab's input, as the desktop shows it below
// the sketch; the pile kinds belong to the pile page.
const INPUT_PAGES = 6;
const PILE_PAGE = 3;
let pictureTab = 0;
function showPicture(tab: number) {
  pictureTab = tab;
  const box = $('picture');
  const page = tab < INPUT_PAGES ? tab : PILE_PAGE;
  box.innerHTML = talvor.pagePicture(page, Math.max(box.clientWidth, 200), Math.max(box.clientHeight, 100));
  box.firstElementChild?.setAttribute('aria-hidden', 'true');
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
  sketch.draw();
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
  // A file of megabytes takes the reader a moment: said before it starts.
  status(`正在打开 ${file.name}…`);
  // (A hidden page paints no frame: it waits a fifth of a second at most.)
  await new Promise(shown => {
    requestAnimationFrame(() => setTimeout(shown));
    setTimeout(shown, 200);
  });
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
  await reopenKept();
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
    moved: () => sketch?.light(),
    paged: showPicture,
    told: status,
  });
  sketch = new Sketch($('sketch'), talvor, {
    current: () => grids.current(),
    select: (table, row) => grids.select(table, row),
    pointed: text => ($('position').textContent = text),
  });
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
  window.addEventListener('resize', () => {
    sketch.draw();
    showPicture(pictureTab);
  });
  document.body.dataset.ready = String(Math.round(performance.now()));
  status('就绪');
}

// The item over a reload onto a newer build (not its undo steps); one too
// large for the session's storage is not kept. Its file handle goes into the
// page's IndexedDB, the one store that can hold a handle, so that saving still
// writes back to the file the item came from.
const KEPT = 'talvor-item';

function handleStore<T>(mode: IDBTransactionMode, act: (store: IDBObjectStore) => IDBRequest): Promise<T> {
  return new Promise((resolve, reject) => {
    const db = indexedDB.open('talvor', 1);
    db.onupgradeneeded = () => db.result.createObjectStore('handles');
    db.onerror = () => reject(db.error);
    db.onsuccess = () => {
      const request = act(db.result.transaction('handles', mode).objectStore('handles'));
      request.onsuccess = () => resolve(request.result as T);
      request.onerror = () => reject(request.error);
    };
  });
}

async function keepItem() {
  try {
    const data = Array.from(talvor.save(), b => String.fromCharCode(b)).join('');
    sessionStorage.setItem(KEPT, JSON.stringify({ name: itemName, data: btoa(data) }));
  } catch {
    sessionStorage.removeItem(KEPT);
  }
  await handleStore('readwrite', store => (fileHandle ? store.put(fileHandle, KEPT) : store.delete(KEPT)))
    .catch(() => {});
}

async function reopenKept() {
  const kept = sessionStorage.getItem(KEPT);
  if (!kept) return;
  sessionStorage.removeItem(KEPT);
  const { name, data } = JSON.parse(kept) as { name: string; data: string };
  if (!talvor.open(Uint8Array.from(atob(data), c => c.charCodeAt(0)), name)) return;
  itemName = name;
  // A handle of another item never stays behind for the next reload.
  fileHandle = await handleStore<FileSystemFileHandle | undefined>('readonly', store => store.get(KEPT))
    .catch(() => undefined) ?? null;
  await handleStore('readwrite', store => store.delete(KEPT)).catch(() => {});
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
    keepItem().then(() => location.reload());
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
