// Serves the web edition's folder on this machine, as a static web host
// would: each file with its type, compressed where the browser accepts it,
// nothing else. For trying the page and for its tests; a release is
// published on any static HTTPS host instead.
//   node web/serve.mjs SITE [--port 8080] [--host 127.0.0.1]
// Prints "http://HOST:PORT/" once it listens; port 0 takes a free one.

import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { gzipSync } from 'node:zlib';
import { parseArgs } from 'node:util';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.gif': 'image/gif',
};
const COMPRESSED = new Set(['.html', '.css', '.mjs', '.js', '.wasm', '.webmanifest']);

// With `hostPolicy` false, the host sends no Content-Security-Policy of its
// own, as a plain static host does, and the page's own policy alone holds.
export function serve(site, { port = 8080, host = '127.0.0.1', hostPolicy = true } = {}) {
  const root = resolve(site);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://host').pathname);
    let file = normalize(join(root, path));
    if (file !== root && !file.startsWith(root + sep)) file = null; // never outside the folder
    if (file && path.endsWith('/')) file = join(file, 'index.html');
    const type = file && TYPES[extname(file)];
    let body;
    try {
      body = type ? await readFile(file) : null;
    } catch {
      body = null;
    }
    if (!body || !['GET', 'HEAD'].includes(request.method)) {
      response.writeHead(body ? 405 : 404, { 'Content-Type': 'text/plain; charset=utf-8' });
      response.end(body ? 'Método no permitido\n' : 'No encontrado\n');
      return;
    }
    const headers = {
      'Content-Type': type,
      'Cache-Control': 'no-cache',
      'X-Content-Type-Options': 'nosniff',
      Vary: 'Accept-Encoding',
    };
    if (hostPolicy) {
      headers['Content-Security-Policy'] = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; "
        + "base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
    }
    if (COMPRESSED.has(extname(file)) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
      body = gzipSync(body, { level: 9 });
      headers['Content-Encoding'] = 'gzip';
    }
    headers['Content-Length'] = body.length;
    response.writeHead(200, headers);
    response.end(request.method === 'HEAD' ? undefined : body);
  });
  return new Promise((resolveListening, reject) => {
    server.once('error', reject);
    server.listen(port, host, () => {
      const { port: chosen } = server.address();
      resolveListening({ server, url: `http://${host}:${chosen}/` });
    });
  });
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const { values, positionals } = parseArgs({
    allowPositionals: true,
    options: { port: { type: 'string', default: '8080' }, host: { type: 'string', default: '127.0.0.1' } },
  });
  const { url } = await serve(positionals[0] ?? 'build/web/site', {
    port: Number(values.port), host: values.host,
  });
  console.log(url);
}
