// A small static server for the browser build, on localhost only. Used by
// `make serve-web` and by the browser test. Files go out gzip-compressed when
// the browser accepts it (the WebAssembly, the scripts and the packed data
// shrink); the sizes as served are counted for the figures.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream', '.png': 'image/png',
  '.ico': 'image/x-icon', '.json': 'application/json',
};
const compressible = new Set(['.html', '.js', '.mjs', '.wasm', '.data', '.json']);

export function startServer(root, port = 0) {
  const cache = new Map(); // path -> gzip bytes
  const served = { bytes: 0, files: [] };
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://localhost');
    let rel = decodeURIComponent(url.pathname);
    if (rel.endsWith('/')) rel += 'index.html';
    const file = path.join(root, path.normalize(rel).replace(/^(\.\.[/\\])+/, ''));
    if (!file.startsWith(path.resolve(root)) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404, { 'Content-Type': 'text/plain' });
      res.end('not found');
      return;
    }
    const ext = path.extname(file);
    const headers = { 'Content-Type': types[ext] || 'application/octet-stream', 'Cache-Control': 'no-cache' };
    let body = fs.readFileSync(file);
    if (compressible.has(ext) && /\bgzip\b/.test(req.headers['accept-encoding'] || '')) {
      const key = file + ':' + fs.statSync(file).mtimeMs;
      if (!cache.has(key)) cache.set(key, zlib.gzipSync(body, { level: 9 }));
      body = cache.get(key);
      headers['Content-Encoding'] = 'gzip';
    }
    headers['Content-Length'] = body.length;
    served.bytes += body.length;
    served.files.push(rel);
    res.writeHead(200, headers);
    res.end(body);
  });
  return new Promise((resolve) => {
    server.listen(port, '127.0.0.1', () => resolve({ server, port: server.address().port, served }));
  });
}

// The download as a player's browser gets it, gzip-compressed where the
// server compresses it: every file of the folder but the languages' pictures,
// of which a player fetches their own language's only (the largest counts).
export function downloadSize(root) {
  const served = (name) => {
    const body = fs.readFileSync(path.join(root, name));
    return compressible.has(path.extname(name)) ? zlib.gzipSync(body, { level: 9 }).length : body.length;
  };
  let common = 0;
  const languages = new Map();
  for (const name of fs.readdirSync(root)) {
    if (!fs.statSync(path.join(root, name)).isFile()) continue;
    const language = /^varnoka-([a-z]{2})(?:-data\.js|\.data)$/.exec(name);
    if (language) languages.set(language[1], (languages.get(language[1]) || 0) + served(name));
    else common += served(name);
  }
  return common + Math.max(0, ...languages.values());
}
