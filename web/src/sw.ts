// Offline: the page, its scripts and the core's module are kept on first
// visit and served from the keep after; a new build (another VERSION) keeps
// its own files and waits; it takes over when no page of the old one is open,
// or at once when a page asks (its "重新载入"), and then drops the old files.
declare const VERSION: string;  // set by the build: a digest of the files
declare const FILES: string[];

// The service worker's events (the page's type library has the window's).
interface Extendable extends Event { waitUntil(done: Promise<unknown>): void }
interface Fetch extends Extendable { request: Request; respondWith(r: Promise<Response>): void }
const on = <E extends Event>(type: string, handle: (e: E) => void) =>
  self.addEventListener(type, e => handle(e as E));

on<Extendable>('install', e => e.waitUntil(caches.open(VERSION).then(c => c.addAll(FILES))));
on<Extendable>('activate', e =>
  e.waitUntil(caches.keys().then(keys => Promise.all(keys.filter(k => k !== VERSION).map(k => caches.delete(k))))));
// The page's "重新载入": the waiting new build takes over at once.
on<MessageEvent>('message', e => {
  if (e.data === 'take over') (self as unknown as { skipWaiting(): Promise<void> }).skipWaiting();
});
on<Fetch>('fetch', e =>
  e.respondWith(caches.open(VERSION).then(c => c.match(e.request, { ignoreSearch: true })).then(r => r ?? fetch(e.request))));
