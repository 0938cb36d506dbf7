// The live sketch of the input beside the tables: the core's SVG, redrawn
// after each change with only the lines that differ put anew into the page,
// the current row's element lit. Pointing names the element and the
// coordinates, a click selects the element's row; the wheel zooms about the
// pointer, a drag pans (a mouse or one finger), two fingers pinch, a double
// click shows the whole sketch again. Hit tests and coordinates are the core's.
import type { TalvorWeb } from './core';

export interface SketchHooks {
  // The current cell's table and row.
  current(): { table: number; row: number } | null;
  select(table: number, row: number): void;
  pointed(text: string): void;
}

const SVG_NS = 'http://www.w3.org/2000/svg';
const startTags = (line: string) => line.match(/<[A-Za-z]/g)?.length ?? 0;

export class Sketch {
  // The part of the sketch in view (zoomed and panned); null: all of it.
  private view: { x: number; y: number; w: number; h: number } | null = null;
  // The SVG as last shown, a line an element, and the element each line starts.
  private lines: string[] = [];
  private lineNodes: (Element | null)[] = [];

  constructor(private box: HTMLElement, private talvor: TalvorWeb, private hooks: SketchHooks) {
    this.wire();
  }

  // The sketch of the record as it is now; the time the core took is left
  // on the page for the benchmark.
  draw() {
    const started = performance.now();
    const sketch = this.talvor.sketch(Math.max(this.box.clientWidth, 200), Math.max(this.box.clientHeight, 150));
    document.body.dataset.sketchMs = (performance.now() - started).toFixed(1);
    if (sketch.same || !sketch.svg) {
      this.light();
      return;
    }
    const lines = sketch.svg.split('\n');
    if (!this.redrawChanged(lines)) {
      this.box.innerHTML = sketch.svg;
      // The box is the picture with the desktop's name; the drawing's parts are not read out.
      this.box.firstElementChild?.setAttribute('aria-hidden', 'true');
      this.lineNodes = this.nodesOfLines(lines);
    }
    this.lines = lines;
    this.showView();
    this.light();
  }

  light() {
    this.box.querySelectorAll('.lit').forEach(e => e.classList.remove('lit'));
    const at = this.hooks.current();
    if (!at) return;
    this.box.querySelectorAll(`[data-table="${at.table}"][data-row="${at.row}"]`).forEach(e => e.classList.add('lit'));
  }

  private svg() {
    return this.box.querySelector('svg');
  }

  // The element each line starts (null for a line of an end tag), found by
  // counting the start tags of the lines before it in document order.
  private nodesOfLines(lines: string[]): (Element | null)[] {
    const svg = this.svg();
    const all = svg ? [svg, ...svg.querySelectorAll('*')] : [];
    let next = 0;
    return lines.map(line => {
      const starts = startTags(line);
      const node = starts > 0 ? all[next] ?? null : null;
      next += starts;
      return node;
    });
  }

  // Only the lines that differ are put into the DOM anew, each holding one
  // whole element (an edit that leaves the drawing's frame changes a few,
  // often none); false when the frame or the structure changed and it is
  // drawn whole.
  private redrawChanged(lines: string[]): boolean {
    if (lines.length !== this.lines.length || lines.length !== this.lineNodes.length) return false;
    const differ = lines.flatMap((line, i) => (line === this.lines[i] ? [] : [i]));
    // Past a few, one parse of the whole is quicker than one a line.
    if (differ.length > 64) return false;
    const changed: [number, Element][] = [];
    for (const i of differ) {
      const holder = document.createElementNS(SVG_NS, 'g');
      holder.innerHTML = lines[i];
      const node = holder.firstElementChild;
      // A whole element: it ends its line and holds every start tag of it.
      const whole = node && holder.childNodes.length === 1
        && (lines[i].endsWith('/>') || lines[i].endsWith(`</${node.tagName}>`))
        && 1 + node.querySelectorAll('*').length === startTags(lines[i]);
      if (i === 0 || !this.lineNodes[i] || !whole) return false;
      changed.push([i, node]);
    }
    for (const [i, node] of changed) {
      this.lineNodes[i]!.replaceWith(node);
      this.lineNodes[i] = node;
    }
    return true;
  }

  private showView() {
    const svg = this.svg();
    if (!svg) return;
    if (!svg.dataset.full) svg.dataset.full = svg.getAttribute('viewBox') ?? '';
    const v = this.view;
    svg.setAttribute('viewBox', v ? `${v.x} ${v.y} ${v.w} ${v.h}` : svg.dataset.full);
  }

  // Sketch units per screen pixel: what a pointer's few pixels span when zoomed.
  private unitsPerPixel() {
    const svg = this.svg();
    return svg ? svg.viewBox.baseVal.width / Math.max(svg.getBoundingClientRect().width, 1) : 1;
  }

  // The pointer in the sketch's own pixels, as the core drew it.
  private svgPoint(e: { clientX: number; clientY: number }) {
    const toSvg = this.svg()?.getScreenCTM()?.inverse();
    return toSvg ? new DOMPoint(e.clientX, e.clientY).matrixTransform(toSvg) : null;
  }

  private hitAt(e: MouseEvent) {
    const p = this.svgPoint(e);
    return p ? { p, hit: this.talvor.hit(p.x, p.y, 4 * this.unitsPerPixel()) } : null;
  }

  // k < 1 zooms in about the sketch point p.
  private zoom(p: DOMPoint, k: number) {
    const vb = this.svg()!.viewBox.baseVal;
    this.view = { x: p.x - (p.x - vb.x) * k, y: p.y - (p.y - vb.y) * k, w: vb.width * k, h: vb.height * k };
    this.showView();
  }

  private wire() {
    const box = this.box;
    const down = new Map<number, { x: number; y: number }>();  // pointers pressed, where they were last
    let moved = false;
    box.addEventListener('pointerdown', e => {
      down.set(e.pointerId, { x: e.clientX, y: e.clientY });
      moved = false;
    });
    box.addEventListener('pointermove', e => {
      const was = down.get(e.pointerId);
      const svg = this.svg();
      if (!was || !svg) {
        const at = this.hitAt(e);
        if (at)
          this.hooks.pointed(this.talvor.position(at.p.x, at.p.y)
                             + (at.hit >= 0 ? '  ' + this.talvor.element(at.hit).description : ''));
        return;
      }
      const [dx, dy] = [e.clientX - was.x, e.clientY - was.y];
      if (!moved && Math.abs(dx) + Math.abs(dy) <= 3) return;
      moved = true;
      const other = [...down].find(([id]) => id !== e.pointerId)?.[1];
      if (other) {
        const apart = (a: { x: number; y: number }) => Math.hypot(a.x - other.x, a.y - other.y);
        const mid = this.svgPoint({ clientX: (e.clientX + other.x) / 2, clientY: (e.clientY + other.y) / 2 });
        if (mid && apart(e) > 0) this.zoom(mid, apart(was) / apart(e));
      } else {
        const vb = svg.viewBox.baseVal;
        const k = this.unitsPerPixel();
        this.view = { x: vb.x - dx * k, y: vb.y - dy * k, w: vb.width, h: vb.height };
        this.showView();
      }
      down.set(e.pointerId, { x: e.clientX, y: e.clientY });
    });
    for (const type of ['pointerup', 'pointercancel', 'pointerleave'])
      box.addEventListener(type, e => down.delete((e as PointerEvent).pointerId));
    box.addEventListener('click', e => {
      const at = moved ? null : this.hitAt(e);
      const element = at && at.hit >= 0 ? this.talvor.element(at.hit) : null;
      if (element) this.hooks.select(element.table, element.row);
    });
    box.addEventListener('wheel', e => {
      const p = this.svgPoint(e);
      if (!p || !this.svg()) return;
      e.preventDefault();
      this.zoom(p, e.deltaY < 0 ? 0.8 : 1.25);
    }, { passive: false });
    box.addEventListener('dblclick', () => {
      this.view = null;
      this.showView();
    });
  }
}
