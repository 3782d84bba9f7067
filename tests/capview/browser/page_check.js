// Opens capview's page in headless Chromium and checks what a reader sees:
// the map is drawn (a screenshot that is not blank), the page loads nothing
// from outside and runs without script errors, and the span table sorts when
// a column heading is clicked.
//
// node page_check.js PLAYWRIGHT_CORE_DIR PAGE.html SCREENSHOT.png USER_DATA_DIR
'use strict';
const path = require('path');
const { chromium } = require(process.argv[2]);
const [pagePath, screenshotPath, userDataDir] = process.argv.slice(3).map((p) => path.resolve(p));

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
    return { width: img.width, height: img.height, differing: differing / (data.length / 4), colours: colours.size };
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

async function checkSorting(page) {
  const heads = await page.$$eval('#span-table thead th', (ths) => ths.map((th) => th.textContent));
  for (const [name, numeric] of [['percent', true], ['from', false], ['working', true]]) {
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

    await checkSorting(page);
    check(outside.length === 0, 'the page loads nothing from outside: ' + outside.join(' '));
    check(scriptErrors.length === 0, 'the page runs without script errors: ' + scriptErrors.join(' '));
  } finally {
    await context.close();
  }
  if (failures.length) {
    for (const f of failures) console.log('FAIL: ' + f);
    process.exit(1);
  }
  console.log('page ok: map drawn, screenshot in ' + screenshotPath + ', table sorts');
})().catch((e) => {
  console.log('FAIL: ' + (e && e.stack ? e.stack : e));
  process.exit(1);
});
