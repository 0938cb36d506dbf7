// The built web page served as any static server serves it, on a free port
// of the loopback, and Debian's chromium to open it: shared by the browser
// test and the guide's pictures.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json' };

function chromiumPath() {
  for (const p of ['/usr/bin/chromium', '/usr/bin/chromium-browser'])
    if (fs.existsSync(p)) return p;
  return null;
}

// Resolves to the listening server; files outside pageDir are never given.
function serve(pageDir) {
  const root = path.resolve(pageDir);
  const server = http.createServer((req, res) => {
    const file = path.join(root, decodeURIComponent(new URL(req.url, 'http://x').pathname).replace(/\/$/, '/index.html'));
    if (!file.startsWith(root) || !fs.existsSync(file)) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'content-type': types[path.extname(file)] ?? 'application/octet-stream' });
    res.end(fs.readFileSync(file));
  });
  return new Promise(done => server.listen(0, '127.0.0.1', () => done(server)));
}

module.exports = { chromiumPath, serve };
