// The run's report as a page: its text as the core wrote it, each drawing it
// inserts shown inline as the core's SVG, and downloads of every file the run
// wrote and of the data file with the run's result names.
import type { Bytes, Run } from './core';

// The report script's directive markers; "InsertDxf=NAME" places a drawing.
const DIRECTIVE = /%%%\[MorvaneScript%%%(.*?)%%%MorvaneScript\]%%%\n?/;

export function showReport(host: HTMLElement, run: Run, dataName: string, heading: string,
                           download: (name: string, bytes: Bytes) => void) {
  host.replaceChildren();
  // The printed pages' heading: the item's file and description.
  const style = document.createElement('style');
  style.textContent = `@page { @top-center { content: ${JSON.stringify(heading)}; font-size: 9pt; } }`;
  host.append(style);
  const links = document.createElement('div');
  links.className = 'downloads';
  const offer = (label: string, name: string, bytes: Bytes) => {
    const b = document.createElement('button');
    b.textContent = label;
    b.dataset.file = name;
    b.addEventListener('click', () => download(name, bytes));
    links.append(b);
  };
  if (run.dataFile.length) offer(`下载数据文件 ${dataName}`, dataName, run.dataFile);
  for (const f of run.files)
    offer(f.name === run.reportName ? `下载计算书 ${f.name}` : `下载 ${f.name}`, f.name, f.bytes);
  host.append(links);

  for (const line of [...run.errors, ...run.warnings]) {
    const p = document.createElement('p');
    p.className = 'warning';
    p.textContent = line;
    host.append(p);
  }
  const svgs = new Map(run.files.filter(f => f.svg).map(f => [f.name.toUpperCase(), f.svg]));
  const parts = run.reportText.split(DIRECTIVE);
  // split() with a group: text, directive, text, directive, ...
  parts.forEach((part, i) => {
    if (i % 2 === 0) {
      if (part === '') return;
      const pre = document.createElement('pre');
      pre.textContent = part;
      host.append(pre);
      return;
    }
    const name = part.startsWith('InsertDxf=') ? part.slice('InsertDxf='.length).trim() : '';
    const svg = svgs.get(name.toUpperCase());
    if (!svg) return;
    const figure = document.createElement('figure');
    figure.innerHTML = svg;
    figure.setAttribute('aria-label', name);
    host.append(figure);
  });
  host.hidden = false;
}
