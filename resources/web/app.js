'use strict';
// The station's LAN page: log-in, live calls with their timers, the floor plan, today's figures and
// the receiver's link, fed by the station's event stream. Everything comes from this station's own API.

const StateTexts = ['未应答', '服务预警1', '服务预警2', '服务超时'];
const ServedText = '已应答';
const ServedShowMs = 2000;          // a served call stays green this long before it leaves the list
const RetryMs = 3000;               // a refused stream is tried again after this long
const TodayEveryMs = 60000;         // today's figures are also refreshed this often
const ResyncMs = 1500;              // the station ends a timed-out call within a second of its event

const calls = new Map();            // id -> {call, since (ms of the page clock at elapsed 0), served, serial}
const gone = new Map();             // id -> serial of the event that ended a call no longer listed
let serial = 0;                     // counts the call events received
let loading = 0;                    // lists of calls asked for and not yet come
const rows = new Map();             // id -> its row in the list
let layouts = [];
let events = null;
let retryTimer = 0;
let todayTimer = 0;
let todayPending = 0;

const $ = (id) => document.getElementById(id);

function el(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

function clock(seconds) {
  const s = Math.max(0, Math.floor(seconds));
  const two = (n) => String(n).padStart(2, '0');
  return `${two(Math.floor(s / 3600))}:${two(Math.floor(s / 60) % 60)}:${two(s % 60)}`;
}

// ---- talking to the station ----

class SignedOut extends Error {}

async function api(path, options) {
  const reply = await fetch(path, Object.assign({credentials: 'same-origin', cache: 'no-store'}, options));
  if (reply.status === 401) throw new SignedOut();
  if (!reply.ok) {
    let text = `${reply.status}`;
    try { text = (await reply.json()).error || text; } catch (e) { /* not JSON */ }
    throw new Error(text);
  }
  return reply.status === 204 ? null : reply.json();
}

function failed(error) {
  if (error instanceof SignedOut) showLogin();
  else console.warn(error);
}

// ---- log-in ----

function showLogin(message) {
  stopStream();
  clearTimeout(todayTimer);
  clearTimeout(todayPending);
  $('offline').hidden = true;
  calls.clear();
  gone.clear();
  $('station').hidden = true;
  $('login').hidden = false;
  $('login-error').textContent = message || '';
  $('login-form').elements.namedItem('password').value = '';
  $('login-form').elements.namedItem('name').focus();
}

async function logIn(event) {
  event.preventDefault();
  const form = event.target;
  const body = JSON.stringify({name: form.elements.namedItem('name').value, password: form.elements.namedItem('password').value});
  let reply;
  try {
    reply = await fetch('/api/login', {method: 'POST', credentials: 'same-origin',
                                       headers: {'Content-Type': 'application/json'}, body});
  } catch (e) {
    $('login-error').textContent = '无法连接到本站';
    return;
  }
  let answer = {};
  try { answer = await reply.json(); } catch (e) { /* no body */ }
  if (!reply.ok) {
    $('login-error').textContent = answer.error || `${reply.status}`;
    return;
  }
  sessionStorage.setItem('operator', JSON.stringify(answer));
  showStation(answer);
}

async function logOut() {
  try { await api('/api/logout', {method: 'POST'}); } catch (e) { /* signed out either way */ }
  sessionStorage.removeItem('operator');
  showLogin();
}

function showStation(operator) {
  $('login').hidden = true;
  $('station').hidden = false;
  $('operator').textContent = operator && operator.name ? operator.name : '';
  // Reports need the statistics permission (bit 5); without knowing, the links stay and the station decides.
  const permissions = operator && Array.isArray(operator.permissions) ? operator.permissions : null;
  $('reports').hidden = permissions !== null && !permissions.includes(5);
  showNotifyButton();
  loadLayouts();
  loadToday();
  startStream();
}

// ---- live calls ----

function entryOf(call) {
  return {call, since: performance.now() - call.elapsed * 1000, served: false, serial: 0};
}

// A call event: the entry it concerns is marked newer than any list asked for before it.
function touched(entry) {
  entry.serial = ++serial;
  return entry;
}

// The station's list replaces the page's, but an event that came while the list was on its way is newer
// than the list: the calls it opened, changed or ended stay as the event left them.
async function loadCalls() {
  const asked = serial;
  loading++;
  let list;
  try {
    list = await api('/api/calls');
  } finally {
    loading--;
  }
  const fresh = new Map();
  for (const call of list) {
    const known = calls.get(call.id);
    if (known && known.serial > asked) fresh.set(call.id, known);
    else if (!(gone.get(call.id) > asked)) fresh.set(call.id, entryOf(call));
  }
  for (const [id, known] of calls) {
    if (!fresh.has(id) && known.serial > asked) fresh.set(id, known);
  }
  calls.clear();
  for (const [id, entry] of fresh) calls.set(id, entry);
  if (!loading) gone.clear();  // no older list is still on its way
  drawCalls();
}

// Rows are kept per call and updated in place each second, so the list does not flicker or lose a selection.
function drawCalls() {
  const now = performance.now();
  const list = $('calls');
  for (const [id, row] of rows) {
    if (!calls.has(id)) {
      row.remove();
      rows.delete(id);
    }
  }
  let live = 0;
  for (const [id, entry] of calls) {
    let row = rows.get(id);
    if (!row) {
      row = el('li');
      row.append(el('span', 'where'), el('span', 'timer'), el('span', 'detail'), el('span', 'state'));
      rows.set(id, row);
    }
    const c = entry.call;
    row.className = 'call ' + (entry.served ? 'served' : 's' + c.state);
    const [where, timer, detail, state] = row.children;
    where.textContent = `${c.area} ${c.position}`;
    timer.textContent = clock(entry.served ? entry.seconds : (now - entry.since) / 1000);
    detail.textContent = `${c.time} ${c.type} ${c.server || ''}`;
    state.textContent = entry.served ? ServedText : StateTexts[c.state] || '';
    list.append(row);  // in arrival order
    if (!entry.served) live++;
  }
  $('live-count').textContent = live;
  $('no-calls').hidden = calls.size > 0;
  drawPoints();
}

function served(data) {
  const entry = calls.get(data.id);
  if (!entry) return;
  touched(entry);
  entry.served = true;
  entry.seconds = data.seconds;
  if (data.server) entry.call.server = data.server;
  setTimeout(() => {
    if (calls.get(data.id) !== entry) return;
    calls.delete(data.id);
    gone.set(data.id, entry.serial);
    drawCalls();
  }, ServedShowMs);
}

function timedOut(data) {
  const entry = calls.get(data.id);
  if (entry) {
    touched(entry).call.state = 3;
    notify(entry.call);
  }
  // Where the station ends timed-out calls, its list (read once the call has gone) is the one to show.
  setTimeout(() => loadCalls().catch(failed), ResyncMs);
}

// ---- the event stream ----

function startStream() {
  stopStream();
  events = new EventSource('/api/events');
  // Every (re)connection starts from the station's list: events missed while away are not replayed.
  events.addEventListener('open', () => {
    $('offline').hidden = true;
    loadCalls().catch(failed);
  });
  events.addEventListener('opened', (e) => {
    const call = JSON.parse(e.data);
    calls.set(call.id, touched(entryOf(call)));
    drawCalls();
  });
  events.addEventListener('served', (e) => { served(JSON.parse(e.data)); drawCalls(); scheduleToday(); });
  events.addEventListener('state', (e) => {
    const data = JSON.parse(e.data);
    const entry = calls.get(data.id);
    if (entry) touched(entry).call.state = data.state;
    drawCalls();
  });
  events.addEventListener('timedout', (e) => { timedOut(JSON.parse(e.data)); drawCalls(); scheduleToday(); });
  events.addEventListener('link', (e) => showLink(JSON.parse(e.data)));
  events.addEventListener('error', () => {
    // The browser retries a broken stream by itself; a refused one (401, 503) is closed for good.
    if (events && events.readyState === EventSource.CLOSED) {
      stopStream();
      retryTimer = setTimeout(() => loadCalls().then(startStream, (error) => {
        if (error instanceof SignedOut) showLogin();
        else retryTimer = setTimeout(startStream, RetryMs);
      }), RetryMs);
    }
    // What the page shows is stale until the stream is back.
    $('offline').hidden = false;
  });
}

function stopStream() {
  if (events) events.close();
  events = null;
  clearTimeout(retryTimer);
}

function showLink(link) {
  const badge = $('link');
  badge.className = 'link ' + (link.ok ? 'ok' : 'down');
  badge.textContent = link.text || (link.ok ? '接收器' : '接收器断开');
  badge.title = link.text || '';
}

// ---- browser notifications for timed-out calls ----

function showNotifyButton() {
  $('notify').hidden = !('Notification' in window) || Notification.permission !== 'default';
}

function notify(call) {
  if (!('Notification' in window) || Notification.permission !== 'granted') return;
  new Notification(StateTexts[3], {body: `${call.area} ${call.position} ${call.type} ${call.time}`, tag: `call-${call.id}`});
}

// ---- the floor plan ----

async function loadLayouts() {
  try {
    layouts = await api('/api/layouts');
  } catch (error) {
    failed(error);
    return;
  }
  const choice = $('layout-choice');
  choice.replaceChildren(...layouts.map((layout, i) => {
    const option = el('option', '', layout.name);
    option.value = i;
    return option;
  }));
  choice.hidden = layouts.length < 2;
  drawPlan();
}

function drawPlan() {
  const plan = $('plan');
  plan.replaceChildren();
  const layout = layouts[Number($('layout-choice').value) || 0];
  plan.hidden = !layout;
  if (!layout) return;
  // The plan keeps its drawn proportions and scales to the width it has.
  const right = Math.max(100, ...layout.points.map((p) => p.x + p.width)) + 4;
  const bottom = Math.max(100, ...layout.points.map((p) => p.y + p.height)) + 4;
  plan.style.aspectRatio = `${right} / ${bottom}`;
  plan.style.maxWidth = `${right}px`;  // drawn size at most; smaller where the screen is narrower
  for (const p of layout.points) {
    const point = el('div', 'point' + (p.shape === 0 ? ' round' : ''), p.name);
    point.dataset.name = p.name;
    point.title = `${p.name} (${p.address})`;
    point.style.left = `${(100 * p.x) / right}%`;
    point.style.top = `${(100 * p.y) / bottom}%`;
    point.style.width = `${(100 * p.width) / right}%`;
    point.style.height = `${(100 * p.height) / bottom}%`;
    plan.append(point);
  }
  drawPoints();
}

// The oldest live call at a point decides its colour, as on the station's own plan.
function drawPoints() {
  const layout = layouts[Number($('layout-choice').value) || 0];
  if (!layout) return;
  const state = new Map();
  for (const {call, served} of calls.values()) {
    if (served || call.area !== layout.name || state.has(call.position)) continue;
    state.set(call.position, call.state);
  }
  for (const point of $('plan').children) {
    point.classList.remove('s0', 's1', 's2', 's3');
    if (state.has(point.dataset.name)) point.classList.add('s' + state.get(point.dataset.name));
  }
}

// ---- today's figures ----

// A figure that does not exist (no call answered yet) shows as a dash.
const shown = (value) => (value === null || value === undefined ? '-' : String(value));
const rate = (value) => (typeof value === 'number' ? value.toFixed(2) : shown(value));

function scheduleToday() {
  clearTimeout(todayPending);
  todayPending = setTimeout(loadToday, 500);
}

async function loadToday() {
  clearTimeout(todayTimer);
  todayTimer = setTimeout(loadToday, TodayEveryMs);
  let today;
  try {
    today = await api('/api/today');
  } catch (error) {
    failed(error);
    return;
  }
  $('today-date').textContent = today.date;
  for (const key of ['calls', 'answered', 'timedout', 'live']) $('f-' + key).textContent = shown(today[key]);
  $('f-rate').textContent = rate(today.rate);
  for (const key of ['mean', 'median', 'p90', 'max']) $('f-' + key).textContent = shown(today.response[key]);
  $('staff').tBodies[0].replaceChildren(...today.staff.map((s) => {
    const row = el('tr');
    for (const value of [s.number, s.name, s.calls, s.timedout, rate(s.rate), s.mean, s.p90])
      row.append(el('td', '', shown(value)));
    return row;
  }));
}

// ---- start ----

document.addEventListener('DOMContentLoaded', () => {
  $('login-form').addEventListener('submit', logIn);
  $('logout').addEventListener('click', logOut);
  $('layout-choice').addEventListener('change', drawPlan);
  $('notify').addEventListener('click', () => Notification.requestPermission().then(showNotifyButton));
  setInterval(drawCalls, 1000);
  // A session from before (the cookie is the station's) goes straight to the live page.
  loadCalls().then(() => showStation(JSON.parse(sessionStorage.getItem('operator') || 'null')),
                   (error) => showLogin(error instanceof SignedOut ? '' : error.message));
});
