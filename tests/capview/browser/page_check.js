// Opens capview's page in headless Chromium and checks what a reader sees:
// the map is drawn (a screenshot that is not blank), the page loads nothing
// from outside and runs without script errors, and the span table sorts when
// a column heading is clicked. With "experiment" after the other arguments
// the page is an experiment's: instead of the map, the chart of channels
// restored and time per span and method must be drawn, true to the table.
// With "dual" and the dualsweep table the page was made from, the page is a
// dual table's: the matrix must hold a cell per pair of spans coloured by the
// table's R_ij, and picking a pair (a cell, or a row of the worst pairs)
// must draw its two spans, and only those, over the map. With "paths", the
// pathsweep table and its routes file, the page is a path restoration's:
// every span and node with a row is coloured by its row's restorability,
// and picking a scenario (a span, a node, a row of the table) must draw its
// failed spans and node and exactly its routes, each along the map's nodes.
//
// node page_check.js PLAYWRIGHT_CORE_DIR PAGE.html SCREENSHOT.png USER_DATA_DIR
//      [experiment | dual TABLE | paths TABLE ROUTES]
'use strict';
const path = require('path');
const { chromium } = require(process.argv[2]);
const [pagePath, screenshotPath, userDataDir] = process.argv.slice(3, 6).map((p) => path.resolve(p));
const fs = require('fs');
const experiment = process.argv[6] === 'experiment';
const dual = process.argv[6] === 'dual';
const dualTable = dual ? path.resolve(process.argv[7]) : '';
const paths = process.argv[6] === 'paths';
const pathTable = paths ? path.resolve(process.argv[7]) : '';
const pathRoutes = paths ? path.resolve(process.argv[8]) : '';

const failures = [];
function check(ok, what) {
  if (!ok) failures.push(what);
}

// Share of pixels that differ from the top-left one, and the number of
// distinct colours, of a PNG decoded by the browser itself.
async function pixelStats(page, png) {
  return page.evaluate(async (b64) => {
    const img = new Image();
    img.src = 'data:image/png;base64,' + b64;
    await img.decode();
    const canvas = document.createElement('canvas');
    canvas.width = img.width;
    canvas.height = img.height;
    const ctx = canvas.getContext('2d');
    ctx.drawImage(img, 0, 0);
    const data = ctx.getImageData(0, 0, img.width, img.height).data;
    const colours = new Set();
    let differing = 0;
    for (let i = 0; i < data.length; i += 4) {
      const rgb = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
      colours.add(rgb);
      if (data[i] !== data[0] || data[i + 1] !== data[1] || data[i + 2] !== data[2]) differing++;
    }
    return { width: img.width, height: img.height, differing: differing / (data.length / 4), colours: colours.size,
             palette: Array.from(colours) };
  }, png.toString('base64'));
}

async function columnValues(page, col) {
  return page.$$eval('#span-table tbody tr', (rows, c) => rows.map((r) => r.cells[c].textContent), col);
}

function sorted(values, numeric, descending) {
  const copy = values.slice();
  copy.sort((a, b) => (numeric ? Number(a) - Number(b) : a < b ? -1 : a > b ? 1 : 0));
  if (descending) copy.reverse();
  return copy;
}

async function checkSorting(page, columns, key = 'span') {
  const heads = await page.$$eval('#span-table thead th', (ths) => ths.map((th) => th.textContent));
  for (const [name, numeric] of columns) {
    const col = heads.indexOf(name);
    check(col >= 0, `the table has a ${name} column`);
    if (col < 0) continue;
    const head = page.locator('#span-table thead th').nth(col);
    await head.click();
    const up = await columnValues(page, col);
    check(JSON.stringify(up) === JSON.stringify(sorted(up, numeric, false)), `one click sorts by ${name}, rising`);
    check((await head.getAttribute('aria-sort')) === 'ascending', `the ${name} heading shows the rising order`);
    await head.click();
    const down = await columnValues(page, col);
    check(JSON.stringify(down) === JSON.stringify(sorted(down, numeric, true)), `a second click sorts by ${name}, falling`);
  }
  const keys = await columnValues(page, heads.indexOf(key));
  check(new Set(keys).size === keys.length, 'sorting keeps every row once');
}

async function checkMap(page) {
  const spanLines = await page.locator('#map line.span').count();
  const rows = await page.locator('#span-table tbody tr').count();
  check(spanLines > 0, 'the map draws the spans');
  check(rows === spanLines, `the table has a row per span (${rows} rows, ${spanLines} spans)`);
  const map = page.locator('#map');
  const box = await map.boundingBox();
  check(box && box.width > 200 && box.height > 100, 'the map takes room on the page');

  const crossings = await page.$$eval('#map text.label', (labels) => {
    const boxes = labels.map((l) => l.getBBox());
    const found = [];
    for (let i = 0; i < boxes.length; i++)
      for (let j = i + 1; j < boxes.length; j++) {
        const a = boxes[i], b = boxes[j];
        const w = Math.min(a.x + a.width, b.x + b.width) - Math.max(a.x, b.x);
        const h = Math.min(a.y + a.height, b.y + b.height) - Math.max(a.y, b.y);
        if (w > 1 && h > 1) found.push(labels[i].textContent + '/' + labels[j].textContent);
      }
    return found;
  });
  check(crossings.length === 0, 'no node label runs into another: ' + crossings.join(' '));

  const png = await page.locator('#map-figure').screenshot({ path: screenshotPath });  // map and legend
  const stats = await pixelStats(page, png);
  check(stats.differing > 0.01, `the screenshot is not blank (${(stats.differing * 100).toFixed(2)}% drawn)`);
  check(stats.colours > 20, `the screenshot shows colours and text (${stats.colours} colours)`);
  await checkSorting(page, [['percent', true], ['from', false], ['working', true]]);
}

// The chart of an experiment: a row per span of the table, a bar per method
// in each panel, every bar as long as the table's figure on one scale, the
// simulators' bars within the bound, and every method's colour on screen.
async function checkChart(page) {
  const rows = await page.locator('#span-table tbody tr').count();
  const chartRows = await page.locator('#chart g.span-row').count();
  check(rows > 0 && chartRows === rows, `the chart has a row per span of the table (${chartRows} rows, ${rows} spans)`);
  const box = await page.locator('#chart').boundingBox();
  check(box && box.width > 400 && box.height > 200, 'the chart takes room on the page');

  const bars = await page.$$eval('#chart g.span-row', (groups) =>
    groups.map((g) => {
      const width = (el) => el.getBBox().width;
      const bound = g.querySelector('rect.bound');
      return {
        span: g.getAttribute('data-span'),
        bound: bound ? width(bound) : -1,
        restored: Array.from(g.querySelectorAll('rect.bar.restored')).map((r) => [r.getAttribute('data-method'), width(r)]),
        time: Array.from(g.querySelectorAll('rect.bar.time')).map((r) => [r.getAttribute('data-method'), width(r)]),
      };
    }));
  const heads = await page.$$eval('#span-table thead th', (ths) => ths.map((th) => th.textContent));
  const cells = await page.$$eval('#span-table tbody tr', (trs) => trs.map((tr) => Array.from(tr.cells).map((c) => c.textContent)));
  const methods = heads.filter((h) => h.endsWith(' ms')).map((h) => h.slice(0, -3));
  check(methods.length > 0, 'the table names the methods');
  const scales = { restored: [], time: [] };
  const inBound = [];
  for (const b of bars) {
    const row = cells.find((c) => c[0] === b.span);
    if (!row) {
      check(false, `span ${b.span} of the chart is in the table`);
      continue;
    }
    const restoredWho = b.restored.map((r) => r[0]);
    check(JSON.stringify(restoredWho.slice(0, methods.length)) === JSON.stringify(methods),
          `span ${b.span} has a restored bar per method`);
    check(JSON.stringify(b.time.map((r) => r[0])) === JSON.stringify(methods), `span ${b.span} has a time bar per method`);
    for (const [kind, list] of [['restored', b.restored], ['time', b.time]]) {
      for (const [who, width] of list) {
        const value = Number(row[heads.indexOf(kind === 'time' ? who + ' ms' : who + ' restored')]);
        if (value > 0) scales[kind].push(width / value);
        else check(width < 0.5, `span ${b.span}: ${who}'s ${kind} bar is empty for 0`);
        if (kind === 'restored' && who !== 'capsweep' && width > b.bound + 0.5) inBound.push(`${b.span}/${who}`);
      }
    }
  }
  for (const kind of ['restored', 'time']) {
    const s = scales[kind];
    const low = Math.min(...s), high = Math.max(...s);
    check(s.length > 0 && high - low < 0.01 * high + 0.05, `the ${kind} bars share one scale (${low} to ${high} px per unit)`);
  }
  check(inBound.length === 0, 'no simulator restores beyond the bound on the chart: ' + inBound.join(' '));

  const png = await page.locator('#chart-figure').screenshot({ path: screenshotPath });  // legend and chart
  const stats = await pixelStats(page, png);
  check(stats.differing > 0.05, `the screenshot is not blank (${(stats.differing * 100).toFixed(2)}% drawn)`);
  check(stats.colours > 20, `the screenshot shows colours and text (${stats.colours} colours)`);
  const colours = await page.$$eval('#chart rect.bar', (rects) => Array.from(new Set(rects.map((r) => r.getAttribute('fill')))));
  const shown = new Set(stats.palette);
  for (const c of colours)
    check(shown.has(parseInt(c.slice(1), 16)), `the colour ${c} of a method shows on screen`);
  await checkSorting(page, [['lost', true], ['from', false], [methods[0] + ' restored', true]]);
}

// The dualsweep table as the file has it: per span its working channels
// and what its cut alone restores; per pair "i,j" R_ij in percent.
function readDualTable(file) {
  const spans = [];
  const pairs = new Map();
  for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
    const f = line.trim().split(/\s+/);
    if (f[0] === '#' && f[1] === 'span') spans.push({ name: f[3] + '-' + f[4], working: Number(f[6]), restored: Number(f[8]) });
    else if (/^[0-9]/.test(line)) {
      const [i, j, wi, wj, ri, rj] = f.slice(0, 6).map(Number);
      pairs.set(i + ',' + j, ((ri + rj) * 100) / (wi + wj));
    }
  }
  return { spans, pairs };
}

// The map's colour of a restorability: red at 0, amber at 50, green at 100.
function colourOf(percent) {
  const stops = [[215, 48, 39], [240, 160, 0], [26, 152, 80]];
  const p = Math.min(Math.max(percent, 0), 100) / 50;
  const low = p >= 1 ? 1 : 0;
  return stops[low].map((c, k) => Math.round(c + (stops[low + 1][k] - c) * (p - low)));
}

function rgbOf(hex) {
  return [1, 3, 5].map((k) => parseInt(hex.slice(k, k + 2), 16));
}

// The pick lines shown, and whether each lies on its span of the map and is
// what a reader sees at its middle.
async function shownPicks(page) {
  return page.$$eval('#picks line.pick', (lines) => {
    const spans = Array.from(document.querySelectorAll('#map line.span'));
    return lines
      .filter((l) => l.getAttribute('visibility') === 'visible')
      .map((l) => {
        const k = l.getAttribute('data-span');
        const under = spans.find((s) => s.querySelector('title').textContent.startsWith('span ' + k + ':'));
        const same = under && ['x1', 'y1', 'x2', 'y2'].every((a) => under.getAttribute(a) === l.getAttribute(a));
        l.scrollIntoView({ block: 'center', inline: 'center' });
        const box = l.getBoundingClientRect();
        const top = document.elementFromPoint(box.x + box.width / 2, box.y + box.height / 2);
        // Only the nodes and their names are drawn over the highlights.
        return { span: k, onSpan: Boolean(same), seen: top === l || Boolean(top && top.closest('#nodes')) };
      });
  });
}

async function checkPick(page, i, j, how) {
  const shown = await shownPicks(page);
  const spans = shown.map((p) => p.span).sort((a, b) => a - b);
  check(JSON.stringify(spans) === JSON.stringify([String(i), String(j)]),
        `${how}: spans ${i} and ${j} are drawn over the map, and no other (${spans.join(' ')})`);
  for (const p of shown) {
    check(p.onSpan, `${how}: the highlight of span ${p.span} lies on the span`);
    check(p.seen, `${how}: the highlight of span ${p.span} is on top of the spans at its middle`);
  }
  const chosen = await page.$$eval('#matrix rect.chosen', (cells) => cells.map((c) => c.getAttribute('data-i') + ',' + c.getAttribute('data-j')).sort());
  check(JSON.stringify(chosen) === JSON.stringify([i + ',' + j, j + ',' + i].sort()), `${how}: both cells of the pair are marked (${chosen.join(' ')})`);
  const text = await page.locator('#picked').textContent();
  const [low, high] = [Number(i), Number(j)].sort((a, b) => a - b);
  const cell = await page.locator(`#matrix rect.pair[data-i="${low}"][data-j="${high}"]`).getAttribute('data-r');
  check(text.startsWith(`spans ${low} (`) && text.includes(` and ${high} (`) && text.endsWith(`R_ij ${cell}%`),
        `${how}: the pair and its R_ij are named above the matrix: ${text}`);
}

async function checkDual(page) {
  const table = readDualTable(dualTable);
  const n = table.spans.length;
  const pairCells = await page.$$eval('#matrix rect.pair', (cells) =>
    cells.map((c) => ({ i: Number(c.getAttribute('data-i')), j: Number(c.getAttribute('data-j')), r: c.getAttribute('data-r'),
                        fill: c.getAttribute('fill'), none: c.classList.contains('none') })));
  const singles = await page.locator('#matrix rect.single').count();
  check(n > 1 && pairCells.length + singles === n * n, `the matrix has ${n} x ${n} cells (${pairCells.length} pairs, ${singles} alone)`);
  check(singles === n, `the diagonal has a cell per span (${singles})`);
  const seen = new Set();
  const wrong = [];
  for (const c of pairCells) {
    const key = Math.min(c.i, c.j) + ',' + Math.max(c.i, c.j);
    seen.add(c.i + ',' + c.j);
    const r = table.pairs.get(key);
    if (r === undefined) {
      if (!c.none || c.r !== null) wrong.push(`${c.i},${c.j} has no row but shows ${c.r}`);
      continue;
    }
    if (c.none || Math.abs(Number(c.r) - r) > 0.0051) wrong.push(`${c.i},${c.j} shows ${c.r}, the table ${r.toFixed(2)}`);
    const want = colourOf(r), got = rgbOf(c.fill);
    if (want.some((v, k) => Math.abs(v - got[k]) > 1)) wrong.push(`${c.i},${c.j} is ${c.fill} for ${r.toFixed(2)}%`);
  }
  check(seen.size === n * (n - 1), `every ordered pair of spans has its own cell (${seen.size})`);
  check(wrong.length === 0, 'the cells follow R_ij of the table: ' + wrong.slice(0, 5).join('; '));
  check(table.pairs.size > 0 && pairCells.filter((c) => !c.none).length === 2 * table.pairs.size,
        `every row of the table is a cell above and below the diagonal (${table.pairs.size} rows)`);

  check((await shownPicks(page)).length === 0, 'no pair is drawn before one is picked');
  const worst = await page.$$eval('#worst-table tr.worst', (rows) => rows.map((r) => [r.getAttribute('data-i'), r.getAttribute('data-j')]));
  check(worst.length >= 2, `the worst pairs are listed (${worst.length})`);
  if (worst.length >= 2) {
    const [i, j] = worst[0];
    await page.locator(`#matrix rect.pair[data-i="${i}"][data-j="${j}"]`).click();
    await checkPick(page, i, j, 'a cell above the diagonal');
    const [k, l] = worst[1];
    await page.locator(`#matrix rect.pair[data-i="${l}"][data-j="${k}"]`).click();
    await checkPick(page, k, l, 'a cell below the diagonal');
    await page.locator('#worst-table tr.worst').nth(0).click();
    await checkPick(page, i, j, 'a row of the worst pairs');
    check((await page.locator('#worst-table tr.worst').nth(0).getAttribute('class')).includes('chosen'), 'the picked row is marked');
  }

  const png = await page.locator('#pairs').screenshot({ path: screenshotPath });  // matrix, map and the pick
  const stats = await pixelStats(page, png);
  check(stats.differing > 0.05, `the screenshot is not blank (${(stats.differing * 100).toFixed(2)}% drawn)`);
  check(stats.colours > 20, `the screenshot shows colours and text (${stats.colours} colours)`);
  const shownColours = new Set(stats.palette);
  const fills = Array.from(new Set(pairCells.filter((c) => !c.none).map((c) => c.fill)));
  const missing = fills.filter((f) => !shownColours.has(parseInt(f.slice(1), 16)));
  check(missing.length === 0, 'every colour of the matrix shows on screen: ' + missing.join(' '));
  await checkSorting(page, [['percent', true], ['from', false], ['working', true]]);
}

// A pathsweep table: its spans (ends) and rows (kind, name, affected,
// restored), and the routes file: the node names of each route, by
// scenario.
function readPaths(tableFile, routesFile) {
  const spans = [], rows = [];
  for (const line of fs.readFileSync(tableFile, 'utf8').split('\n')) {
    const f = line.trim().split(/\s+/);
    if (f[0] === '#' && f[1] === 'span') spans.push([f[3], f[4]]);
    else if (['span', 'node', 'group'].includes(f[0]))
      rows.push({ kind: f[0], name: f[1], affected: Number(f[2]), restored: Number(f[4]) });
  }
  const routes = new Map();
  for (const line of fs.readFileSync(routesFile, 'utf8').split('\n')) {
    const f = line.trim().split(/\s+/);
    if (!['span', 'node', 'group'].includes(f[0])) continue;
    const key = f[0] + ' ' + f[1];
    if (!routes.has(key)) routes.set(key, []);
    routes.get(key).push(f.slice(3));
  }
  return { spans, rows, routes };
}

// What the map shows of the pick: the failed spans (their numbers), the
// failed node's place, and every route as its points.
async function shownPaths(page) {
  return page.evaluate(() => ({
    failed: Array.from(document.querySelectorAll('#picks line.failed')).map((l) => Number(l.getAttribute('data-span'))).sort((a, b) => a - b),
    node: Array.from(document.querySelectorAll('#picks circle.failed-node')).map((c) =>
      Number(c.getAttribute('cx')).toFixed(1) + ',' + Number(c.getAttribute('cy')).toFixed(1)),
    routes: Array.from(document.querySelectorAll('#picks polyline.route')).map((p) =>
      p.getAttribute('points').split(' ').map((xy) => xy.split(',').map((v) => Number(v).toFixed(1)).join(',')).join(' ')),
  }));
}

async function checkPaths(page) {
  const study = readPaths(pathTable, pathRoutes);
  // Where the map draws each node, by name: from the node labels' circles.
  const place = await page.$$eval('#nodes circle', (cs) => cs.map((c) => [c.querySelector('title').textContent,
    Number(c.getAttribute('cx')).toFixed(1) + ',' + Number(c.getAttribute('cy')).toFixed(1)]));
  const at = new Map(place);
  const spanRows = study.rows.filter((r) => r.kind === 'span');
  const nodeRows = study.rows.filter((r) => r.kind === 'node');
  check((await page.locator('#targets line.hit').count()) === spanRows.length, `a span to click per span row (${spanRows.length})`);
  check((await page.locator('#targets circle.ring').count()) === nodeRows.length, `a ring to click per node row (${nodeRows.length})`);
  check((await page.locator('#span-table tbody tr').count()) === study.rows.length, `the table has a row per scenario (${study.rows.length})`);
  const percent = (r) => (r.affected > 0 ? (r.restored * 100) / r.affected : 100);
  const rings = await page.$$eval('#targets circle.ring', (cs) => cs.map((c) => [Number(c.getAttribute('data-row')), c.getAttribute('fill')]));
  const wrongRings = rings.filter(([row, fill]) => colourOf(percent(study.rows[row])).some((v, k) => Math.abs(v - rgbOf(fill)[k]) > 1));
  check(wrongRings.length === 0, 'every ring has its node failure\'s colour: ' + JSON.stringify(wrongRings.slice(0, 3)));
  check((await shownPaths(page)).routes.length === 0, 'nothing is drawn before a scenario is picked');

  // The scenario a pick shows: its failed spans and node, exactly its routes.
  async function expectPick(r, how) {
    const row = study.rows[r];
    const shown = await shownPaths(page);
    const want = (study.routes.get(row.kind + ' ' + row.name) || []).map((names) => names.map((n) => at.get(n)).join(' ')).sort();
    check(JSON.stringify(shown.routes.slice().sort()) === JSON.stringify(want),
          `${how}: ${row.kind} ${row.name} draws its ${want.length} routes along the nodes (${shown.routes.length} drawn)`);
    if (row.kind === 'span') check(JSON.stringify(shown.failed) === JSON.stringify([Number(row.name)]), `${how}: the failed span drawn`);
    if (row.kind === 'node') {
      const spans = study.spans.map((s, k) => (s.includes(row.name) ? k + 1 : 0)).filter((k) => k > 0);
      check(JSON.stringify(shown.failed) === JSON.stringify(spans), `${how}: every span at ${row.name} drawn failed (${shown.failed.join(' ')})`);
      check(JSON.stringify(shown.node) === JSON.stringify([at.get(row.name)]), `${how}: the failed node ringed`);
    }
    const chosen = await page.$$eval('#span-table tr.chosen', (trs) => trs.map((t) => Number(t.getAttribute('data-row'))));
    check(JSON.stringify(chosen) === JSON.stringify([r]), `${how}: its row is marked`);
    const text = await page.locator('#picked').textContent();
    check(text.startsWith(`${row.kind} ${row.name} fails: ${row.affected} paths affected, ${row.restored} restored`), `${how}: named above the map: ${text}`);
  }
  // The span with the most routes, clicked on the map at its middle.
  const busiest = spanRows.map((r) => study.rows.indexOf(r))
    .sort((a, b) => (study.routes.get('span ' + study.rows[b].name) || []).length - (study.routes.get('span ' + study.rows[a].name) || []).length)[0];
  if (busiest !== undefined) {
    await page.locator(`#targets line.hit[data-row="${busiest}"]`).click();
    await expectPick(busiest, 'a span clicked on the map');
  }
  const node = nodeRows.length ? study.rows.indexOf(nodeRows.find((r) => study.routes.has('node ' + r.name)) || nodeRows[0]) : -1;
  if (node >= 0) {
    await page.locator(`#targets circle.ring[data-row="${node}"]`).click();
    await expectPick(node, 'a node clicked on the map');
  }
  await page.locator('#span-table tr.scenario').nth(study.rows.length - 1).click();
  await expectPick(study.rows.length - 1, 'a row of the table');

  const png = await page.locator('#map-figure').screenshot({ path: screenshotPath });  // map, legend and the pick
  const stats = await pixelStats(page, png);
  check(stats.differing > 0.01, `the screenshot is not blank (${(stats.differing * 100).toFixed(2)}% drawn)`);
  check(stats.colours > 20, `the screenshot shows colours and text (${stats.colours} colours)`);
  await checkSorting(page, [['percent', true], ['kind', false], ['affected', true]], 'name');
}

(async () => {
  const context = await chromium.launchPersistentContext(userDataDir, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run', '--disable-quic'],
    viewport: { width: 1200, height: 900 },
  });
  try {
    const outside = [];
    await context.route('**/*', (route) => {
      const url = route.request().url();
      if (url.startsWith('file:') || url.startsWith('data:')) return route.continue();
      outside.push(url);
      return route.abort();
    });
    const page = context.pages()[0] || (await context.newPage());
    const scriptErrors = [];
    page.on('pageerror', (e) => scriptErrors.push(String(e)));
    await page.goto('file://' + pagePath);

    if (experiment) await checkChart(page);
    else if (dual) await checkDual(page);
    else if (paths) await checkPaths(page);
    else await checkMap(page);
    check(outside.length === 0, 'the page loads nothing from outside: ' + outside.join(' '));
    check(scriptErrors.length === 0, 'the page runs without script errors: ' + scriptErrors.join(' '));
  } finally {
    await context.close();
  }
  if (failures.length) {
    for (const f of failures) console.log('FAIL: ' + f);
    process.exit(1);
  }
  console.log('page ok: ' + (experiment ? 'chart' : dual ? 'matrix and picked pairs' : paths ? 'map and picked scenarios' : 'map') + ' drawn, screenshot in ' + screenshotPath + ', table sorts');
})().catch((e) => {
  console.log('FAIL: ' + (e && e.stack ? e.stack : e));
  process.exit(1);
});
