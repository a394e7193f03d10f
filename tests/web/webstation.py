"""The station with its web page on, the simulated receiver on its line and a data directory holding a
small restaurant and one operator: what the page's browser test and the web load measurement share."""
import base64
import hashlib
import http.client
import json
import os
import queue
import shutil
import socket
import sqlite3
import subprocess
import tempfile
import threading
import time

# The small restaurant: one floor plan with two tables, each with its waiter on duty all day.
AREA = '大厅'
POINTS = [(0x0001, 'A1', 20, 20), (0x0002, 'A2', 120, 20)]
WAITERS = [('001', '张三', 0x0001), ('002', '李四', 0x0002)]


def free_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


class Lines:
    """A child's output lines, each stamped with the monotonic time it was read."""

    def __init__(self, stream):
        self.queue = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, args=(stream,), daemon=True).start()

    def _read(self, stream):
        for raw in stream:
            self.queue.put((time.monotonic(), raw.decode('utf-8', 'replace').rstrip('\n')))
        self.queue.put((time.monotonic(), None))

    def wait_for(self, text, timeout):
        """The stamp and the next line holding text, or None after timeout seconds."""
        end = time.monotonic() + timeout
        while True:
            try:
                stamp, line = self.queue.get(timeout=max(0.0, end - time.monotonic()))
            except queue.Empty:
                return None
            if line is None:
                return None
            self.seen.append(line)
            if text in line:
                return stamp, line


class WebStation:
    def __init__(self, build):
        self.build = build
        self.dir = tempfile.mkdtemp(prefix='callstation-web-')
        self.port = free_port()
        self.url = f'http://127.0.0.1:{self.port}'
        self.station = self.sim = None
        self.station_out = self.sim_out = None
        self.tty = os.path.join(self.dir, 'tty')
        self._seed()
        self.configure('')

    def _program(self, *args, stdin=None):
        return subprocess.run([os.path.join(self.build, 'callstation'), '--data-dir', self.dir, *args],
                              input=stdin, capture_output=True, timeout=60)

    def _seed(self):
        # A back-office command opens the store, which creates the missing tables.
        self._program('history')
        with sqlite3.connect(os.path.join(self.dir, 'LayOutName.db')) as db:
            db.execute('insert into LayOutName values (1, ?, "")', (AREA,))
        with sqlite3.connect(os.path.join(self.dir, 'LayOutPoint.db')) as db:
            db.executemany('insert into LayOutPoint values (?, 1, ?, 1, 15780518, ?, ?, 0, 80, 80, "")', POINTS)
        with sqlite3.connect(os.path.join(self.dir, 'Waiter.db')) as db:
            db.executemany('insert into Waiter values (?, ?, "", 1, 0, "")', [w[:2] for w in WAITERS])
        with sqlite3.connect(os.path.join(self.dir, 'DutyTable.db')) as db:
            # A span whose start equals its end covers the whole day.
            db.executemany('insert into DutyTable values (?, ?, "08:00:00", "08:00:00", ?)', WAITERS)

    def configure(self, settings):
        """Config.ini: the receiver's line and the given settings (lines of an INI file), read at start."""
        with open(os.path.join(self.dir, 'Config.ini'), 'w', encoding='utf-8', newline='') as f:
            f.write(f'[Com]\r\nPortName={self.tty}\r\n' + settings.replace('\n', '\r\n'))

    def add_operator(self, name, password, permissions='0,4,5'):
        if self._program('operator', '--help').returncode == 0:
            for args, stdin in ((('add', name, '--permissions', permissions), None),
                                (('passwd', name), (password + '\n').encode())):
                done = self._program('operator', *args, stdin=stdin)
                if done.returncode != 0:
                    raise RuntimeError(f'operator {args[0]}: {done.stderr.decode()}')
            return
        # Without the operator command the row goes in as the operator windows store it: a salted digest.
        salt = os.urandom(16)
        key = hashlib.pbkdf2_hmac('sha256', password.encode(), salt, 1000, 32)
        digest = f'pbkdf2-sha256$1000${base64.b64encode(salt).decode()}${base64.b64encode(key).decode()}'
        popedom = sum(1 << int(bit) for bit in permissions.split(','))
        with sqlite3.connect(os.path.join(self.dir, 'Operate.db')) as db:
            db.execute('insert into Operate values (?, ?, ?, 1, "")', (name, digest, popedom))

    def start_sim(self):
        self.sim = subprocess.Popen([os.path.join(self.build, 'tools/receiver-sim/receiver-sim'), '--pty',
                                     '--link', self.tty], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.sim_out = Lines(self.sim.stdout)
        if not self.sim_out.wait_for('PTY ', 5):
            raise RuntimeError('the simulated receiver did not start')

    def start(self, env=None):
        """Starts the headless station with its page on and waits until both answer."""
        self.station = subprocess.Popen([os.path.join(self.build, 'callstation'), '--headless', '--data-dir',
                                         self.dir, '--web', f'127.0.0.1:{self.port}'],
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                        env=dict(os.environ, **(env or {})))
        self.station_out = Lines(self.station.stdout)
        if not self.station_out.wait_for('running', 15):
            raise RuntimeError('the station did not start:\n' + '\n'.join(self.station_out.seen))
        end = time.monotonic() + 10
        while time.monotonic() < end:
            try:
                socket.create_connection(('127.0.0.1', self.port), timeout=1).close()
                return
            except OSError:
                time.sleep(0.1)
        raise RuntimeError(f'nothing listens on {self.url}:\n' + '\n'.join(self.station_out.seen))

    def stop(self):
        if self.station and self.station.poll() is None:
            self.station.terminate()
            self.station.wait(timeout=15)
        self.station = None

    def send(self, command):
        """One command to the simulated receiver: the stamps of its writing and of its acknowledgement's report."""
        written = time.monotonic()
        self.sim.stdin.write((command + '\n').encode())
        self.sim.stdin.flush()
        got = self.sim_out.wait_for('ACK ', 5)
        if not got or not got[1].startswith('ACK OK'):
            raise RuntimeError(f'{command}: {got[1] if got else "no acknowledgement"}')
        return written, got[0]

    def login(self, name, password):
        """The session cookie of a log-in over the API."""
        connection = http.client.HTTPConnection('127.0.0.1', self.port, timeout=10)
        connection.request('POST', '/api/login', json.dumps({'name': name, 'password': password}),
                           {'Content-Type': 'application/json'})
        reply = connection.getresponse()
        reply.read()
        if reply.status != 200:
            raise RuntimeError(f'log-in refused: {reply.status}')
        cookie = reply.getheader('Set-Cookie').split(';', 1)[0]
        connection.close()
        return cookie

    def close(self):
        self.stop()
        if self.sim and self.sim.poll() is None:
            self.sim.terminate()
            self.sim.wait(timeout=5)
        shutil.rmtree(self.dir, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
