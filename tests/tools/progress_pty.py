#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# tvrtool program's progress bar on a real pseudo-terminal of 40 and of 80 columns, against the
# keyboard simulator: a whole run of 84 packets may leave at most one line behind on the
# screen, and the terminal gets no escape sequence, which a dumb one would print as text.
# Usage: progress_pty.py TVRTOOL TVDRV_SIM
import fcntl, os, pty, struct, subprocess, sys, tempfile, termios, time

tvrtool, simulator = sys.argv[1], sys.argv[2]


def screen_rows(output, columns):
    """Rows holding text once output is played on a terminal of that width, which wraps a
    character written past the last column onto a new row."""
    rows, row, column = [[]], 0, 0
    for ch in output.decode('utf-8', 'replace'):
        if ch == '\r':
            column = 0
        elif ch == '\n':
            row, column = row + 1, 0
        else:
            if column == columns:
                row, column = row + 1, 0
            while len(rows) <= row:
                rows.append([])
            line = rows[row]
            line.extend(' ' * (column + 1 - len(line)))
            line[column] = ch
            column += 1
    return [''.join(r).rstrip() for r in rows if ''.join(r).strip()]


def run(columns, term, directory):
    socket = os.path.join(directory, 'tvdrv.sock')
    sim = subprocess.Popen([simulator, '--socket', socket, '--slow', '5'],
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    try:
        said = b''
        while b'tvdrv-sim: serving' not in said:
            chunk = sim.stdout.readline()
            if not chunk:
                sys.exit('FAIL: the simulator did not start: ' + said.decode())
            said += chunk
        layout = os.path.join(directory, 'layout.tvr')
        with open(layout, 'wb') as f:  # every key at its defaults: one packet each
            f.write(b'TVRN' + b''.join(bytes([1, 1, 1, 0, 0x0F, 0, 0, 0x80]) +
                                       str(i + 1).encode().ljust(20, b'\0') + bytes(64)
                                       for i in range(84)))
        master, slave = pty.openpty()
        fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack('HHHH', 24, columns, 0, 0))
        env = dict(os.environ, TVDRV_SOCKET=socket, TERM=term)
        tool = subprocess.Popen([tvrtool, 'program', layout], stdin=slave, stdout=slave,
                                stderr=slave, env=env, start_new_session=True)
        os.close(slave)
        output = b''
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            try:
                chunk = os.read(master, 4096)
            except OSError:  # the terminal's other end is closed: the program is done
                break
            if not chunk:
                break
            output += chunk
        os.close(master)
        status = tool.wait(10)
    finally:
        sim.terminate()
        sim.wait(10)
    return status, output


failures = 0
with tempfile.TemporaryDirectory() as directory:
    for columns, term in ((40, 'xterm'), (80, 'xterm'), (80, 'dumb')):
        status, output = run(columns, term, directory)
        rows = screen_rows(output, columns)
        problems = []
        if status != 0:
            problems.append(f'exit status {status}')
        if rows[-1:] != ['Program completed.']:
            problems.append('the last line is not the result')
        if len(rows) > 2:
            problems.append(f'{len(rows) - 1} lines left behind')
        if b'\x1b' in output:
            problems.append('an escape sequence')
        if b' 84/84' not in output or b'%' not in output:
            problems.append('no share and packet count')
        widest = max(len(line) for line in output.decode().replace('\r', '\n').split('\n'))
        if widest >= columns:
            problems.append(f'a line of {widest} characters')
        verdict = 'FAIL' if problems else 'ok'
        print(f'{verdict} {columns} columns, TERM={term}: {", ".join(problems) or "one line"}')
        if problems:
            failures += 1
            print('\n'.join('  | ' + r for r in rows[:10]))
sys.exit(1 if failures else 0)
