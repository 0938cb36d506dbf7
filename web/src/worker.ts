// "计算" off the page's thread: the data file as the page holds it is opened
// by a core of its own and run; progress goes back as it comes. The page
// cancels by ending this worker.
import { loadCore, Run } from './core';

declare function importScripts(...urls: string[]): void;
importScripts('talvor-web.js');
const core = loadCore();

export interface CalcRequest { data: Uint8Array; name: string }
export type CalcReply =
  | { kind: 'progress'; done: number; total: number }
  | { kind: 'done'; run: Run };

const post = (reply: CalcReply) => (self as unknown as Worker).postMessage(reply);

self.onmessage = async (e: MessageEvent<CalcRequest>) => {
  const talvor = new (await core).TalvorWeb('/talvor');
  talvor.open(e.data.data, e.data.name);
  let shown = 0;
  const run = talvor.calculate(e.data.name, (done, total) => {
    // Every step would flood the page; a few a second are enough to read.
    const now = performance.now();
    if (done === total || now - shown > 100) {
      shown = now;
      post({ kind: 'progress', done, total });
    }
    return true;
  });
  post({ kind: 'done', run });
};
