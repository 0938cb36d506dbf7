// The page into OUT_DIR: the TypeScript bundled by esbuild, the page's own
// files, and the core's module from the WebAssembly build.
// Usage: node build.mjs MODULE_DIR OUT_DIR
import * as esbuild from 'esbuild';
import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const [moduleDir, out] = process.argv.slice(2);
if (!moduleDir || !out) {
  console.error('usage: node build.mjs MODULE_DIR OUT_DIR');
  process.exit(2);
}
const here = dirname(fileURLToPath(import.meta.url));
mkdirSync(out, { recursive: true });
await esbuild.build({
  entryPoints: { main: join(here, 'src/main.ts'), worker: join(here, 'src/worker.ts') },
  bundle: true,
  format: 'iife',
  target: 'es2022',
  outdir: out,
  logLevel: 'warning',
});
for (const f of ['index.html', 'style.css', 'manifest.webmanifest']) copyFileSync(join(here, f), join(out, f));
copyFileSync(join(here, '../src/shell/icons/talvor.svg'), join(out, 'talvor.svg'));
for (const f of ['talvor-web.js', 'talvor-web.wasm']) copyFileSync(join(moduleDir, f), join(out, f));

// The service worker keeps exactly these files, under a name that changes
// with any of them.
const files = ['index.html', 'style.css', 'manifest.webmanifest', 'talvor.svg', 'main.js', 'worker.js',
               'talvor-web.js', 'talvor-web.wasm'];
const digest = createHash('sha256');
for (const f of files) digest.update(readFileSync(join(out, f)));
await esbuild.build({
  entryPoints: { sw: join(here, 'src/sw.ts') },
  bundle: true,
  format: 'iife',
  target: 'es2022',
  outdir: out,
  logLevel: 'warning',
  define: { VERSION: JSON.stringify('talvor-' + digest.digest('hex').slice(0, 16)),
            FILES: JSON.stringify(['./', ...files]) },
});
