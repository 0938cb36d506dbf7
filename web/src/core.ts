// What the WebAssembly module (talvor-web.js) gives the page: the class
// TalvorWeb of the core's web API. Every figure, rule and text comes from it.

// Bytes the module hands out are copies in their own buffer.
export type Bytes = Uint8Array<ArrayBuffer>;

export interface Diagnostic { line: number; field: string; found: string; what: string; text: string }
export interface StatusLine { code: number; text: string }
export interface Page { id: number; title: string; tables: number[] }
export interface Table {
  id: number; name: string; caption: string; titleHeight: number; rowHeight: number;
  titles: string[]; widths: number[]; rows: number;
}
export interface Cell {
  text: string; editable: boolean; combo: boolean; items: string[]; itemShown: number;
  hint: string; unit: string; warning: string; name: string;
}
export interface Paste { outcome: Outcome; cellsSet: number; cellsRefused: number; rowsRefused: number; refusals: string }
export type Outcome = 'changed' | 'unchanged' | 'refused';
export interface SketchElement { id: string; name: string; description: string; table: number; row: number }
// Only `same` when it is the sketch the last call gave.
export interface Sketch { same: boolean; svg?: string }
export interface RunFile { name: string; bytes: Bytes; svg: string }
export interface Run {
  result: number; noDesignSatisfies: boolean; errors: string[]; warnings: string[];
  reportText: string; reportName: string; dataFile: Bytes; status: StatusLine[]; files: RunFile[];
}

export interface TalvorWeb {
  open(bytes: Uint8Array, name: string): boolean;
  diagnostics(): Diagnostic[];
  openDefault(): void;
  save(): Bytes;
  name(): string;
  // The item's description ("说明"); true when it changed.
  setName(text: string): boolean;
  templateLines(): string[];
  openTemplate(line: number): boolean;
  messages(): StatusLine[];
  pileLibraryColumns(): string[];
  pileLibraryRows(): string[][];
  takePileKinds(rows: number[]): boolean;
  pages(): Page[];
  pileKindsPage(): number;
  table(page: number, id: number): Table;
  cell(page: number, table: number, row: number, col: number): Cell;
  texts(page: number, table: number): string[][];
  // One character a cell, row by row: 'e' editable, 'l' locked, 'w' / 'x' the same warned.
  states(page: number, table: number): string;
  type(page: number, table: number, row: number, col: number, text: string): Outcome;
  paste(page: number, table: number, row: number, col: number, block: string): Paste;
  setPointsShown(page: number, shown: boolean): void;
  sketch(maxWidth: number, maxHeight: number): Sketch;
  // The last sketch's element at an index hit() gave.
  element(index: number): SketchElement;
  hit(px: number, py: number, tolerance: number): number;
  // The explanatory picture ("说明图") of input page 0..5 as SVG; '' for none.
  pagePicture(page: number, maxWidth: number, maxHeight: number): string;
  position(px: number, py: number): string;
  calculate(name: string, progress?: (done: number, total: number) => boolean): Run;
}

export interface TalvorModule { TalvorWeb: new (programDir: string) => TalvorWeb }

declare function createTalvor(options: object): Promise<TalvorModule>;

// The module loader script defines createTalvor; the page and the worker load
// it before their own code.
export function loadCore(): Promise<TalvorModule> {
  return createTalvor({ locateFile: (file: string) => file });
}
