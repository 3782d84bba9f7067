// Opens capview's page in headless Chromium and checks what a reader sees:
// the map is drawn (a screenshot that is not blank), the page loads nothing
// from outside and runs without script errors, and the span table sorts when
// a column heading is clicked. With "experiment" after the other arguments
// the page is an experiment's: instead of the map, the chart of channels
// restored and time per span and method must be drawn, true to the table.
//
// node page_check.js PLAYWRIGHT_CORE_DIR PAGE.html SCREENSHOT.png USER_DATA_DIR [experiment]
'use strict';
const path = require('path');
const { chromium } = require(process.argv[2]);
const [pagePath, screenshotPath, userDataDir] = process.argv.slice(3, 6).map((p) => path.resolve(p));
const experiment = process.argv[6] === 'experiment';

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

async function checkSorting(page, columns) {
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
  const spans = await columnValues(page, heads.indexOf('span'));
  check(new Set(spans).size === spans.length, 'sorting keeps every row once');
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
  console.log('page ok: ' + (experiment ? 'chart' : 'map') + ' drawn, screenshot in ' + screenshotPath + ', table sorts');
})().catch((e) => {
  console.log('FAIL: ' + (e && e.stack ? e.stack : e));
  process.exit(1);
});
