#!/usr/bin/env python3
"""A stand-in for the infra-red receiver server: serves button lines on 127.0.0.1:8765.

One process, the daemon, holds the button-line port and a control port. Everything else
talks to the daemon over the control port, one command per connection, so that shell
scripts and the end-to-end tests (which run under Wine) drive it the same way.

    buttonserver.py serve [--detach] [--stopped]   run the daemon
    buttonserver.py start                          listen; connections are served
    buttonserver.py stop                           close every connection, stop listening
    buttonserver.py refuse                         stop listening, keep open connections
    buttonserver.py accept-close                   listen, but close each connection at once
    buttonserver.py press BUTTON [REMOTE] [COUNT]  one line, repeat count COUNT (default 0)
    buttonserver.py hold BUTTON REPEATS [REMOTE] [INTERVAL_MS]
                                                   lines 00, 01, ... every 108 ms (default)
    buttonserver.py raw HEX...                     the bytes, each argument in one write
    buttonserver.py paced INTERVAL_MS HEX...       the same, INTERVAL_MS between writes, so
                                                   that each arrives in a read of its own
    buttonserver.py flood BYTES                    BYTES of "x" with no line feed, at once
    buttonserver.py burst BUTTON COUNT             COUNT first lines of BUTTON, as fast as
                                                   the connection takes them
    buttonserver.py stream BUTTON SECONDS          first lines of BUTTON without pause for
                                                   SECONDS; answers at once, and status says
                                                   streaming=yes until the stream ends
    buttonserver.py status                         listening, mode, clients, accepted,
                                                   streaming
    buttonserver.py wait-clients N [TIMEOUT_MS]    answers when N clients are connected
    buttonserver.py quit                           end the daemon

Writes to all connected clients. The environment variables BUTTONSERVER_PORT and
BUTTONSERVER_CONTROL_PORT move the two ports.
"""

import hashlib
import os
import selectors
import socket
import sys
import threading
import time

HOST = "127.0.0.1"
PORT = int(os.environ.get("BUTTONSERVER_PORT", "8765"))
CONTROL_PORT = int(os.environ.get("BUTTONSERVER_CONTROL_PORT", "8766"))
REPEAT_INTERVAL_MS = 108
DEFAULT_REMOTE = "remote1"


def button_line(button, repeat, remote):
    """A line as the receiver server writes it: code, hex repeat count, button, remote."""
    code = hashlib.sha1(f"{remote}/{button}".encode()).hexdigest()[:16]
    return f"{code} {repeat:02x} {button} {remote}\n".encode()


class Daemon:
    def __init__(self, listening):
        self.selector = selectors.DefaultSelector()
        self.listener = None
        self.mode = "serve"  # or "accept-close"
        self.clients = []
        self.accepted = 0
        self.timers = []  # (due, action)
        self.waiters = []  # (deadline, count, control connection)
        self.running = True
        self.streaming = False
        self.control = bind_control_port()
        self.selector.register(self.control, selectors.EVENT_READ, self.on_control)
        if listening:
            self.listen()

    # The button-line port.

    def listen(self):
        if self.listener:
            return
        listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind((HOST, PORT))
        listener.listen(16)
        self.listener = listener
        self.selector.register(listener, selectors.EVENT_READ, self.on_accept)

    def stop_listening(self):
        if self.listener:
            self.selector.unregister(self.listener)
            self.listener.close()
            self.listener = None

    def drop_clients(self):
        for client in self.clients:
            self.selector.unregister(client)
            client.close()
        self.clients = []

    def on_accept(self, listener):
        try:
            client, _ = listener.accept()
        except OSError:
            return
        self.accepted += 1
        if self.mode == "accept-close":
            client.close()
            return
        client.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        self.clients.append(client)
        self.selector.register(client, selectors.EVENT_READ, self.on_client)
        self.answer_waiters()

    def on_client(self, client):
        # Clients never send; a read here is their close.
        try:
            data = client.recv(4096)
        except OSError:
            data = b""
        if not data:
            self.selector.unregister(client)
            self.clients.remove(client)
            client.close()

    def send(self, data):
        for client in list(self.clients):
            try:
                client.sendall(data)
            except OSError:
                self.on_client(client)

    # The control port.

    def on_control(self, control):
        connection, _ = control.accept()
        connection.settimeout(5)
        request = b""
        try:
            while not request.endswith(b"\n"):
                chunk = connection.recv(4096)
                if not chunk:
                    break
                request += chunk
        except OSError:
            connection.close()
            return
        words = request.decode("utf-8", "replace").split()
        try:
            answer = self.command(words, connection)
        except (ValueError, IndexError, OSError) as failure:
            answer = f"error {failure}"
        if answer is not None:
            reply(connection, answer)

    def command(self, words, connection):
        """Returns the answer, or None when it comes later (hold, wait-clients)."""
        if not words:
            return "error empty command"
        name, args = words[0], words[1:]
        if name == "start":
            self.mode = "serve"
            self.listen()
        elif name == "stop":
            self.drop_clients()
            self.stop_listening()
        elif name == "refuse":
            self.stop_listening()
        elif name == "accept-close":
            self.mode = "accept-close"
            self.drop_clients()
            self.listen()
        elif name == "press":
            remote = args[1] if len(args) > 1 else DEFAULT_REMOTE
            repeat = int(args[2], 0) if len(args) > 2 else 0
            self.send(button_line(args[0], repeat, remote))
            return f"ok sent to {len(self.clients)}"
        elif name == "hold":
            button, repeats = args[0], int(args[1])
            remote = args[2] if len(args) > 2 else DEFAULT_REMOTE
            interval = int(args[3]) / 1000 if len(args) > 3 else REPEAT_INTERVAL_MS / 1000
            self.hold(button, repeats, remote, interval, connection)
            return None
        elif name == "flood":
            self.send(b"x" * int(args[0]))
        elif name == "burst":
            line = button_line(args[0], 0, DEFAULT_REMOTE)
            self.send(line * int(args[1]))
        elif name == "stream":
            self.stream(args[0], float(args[1]))
        elif name == "raw":
            for chunk in args:
                self.send(bytes.fromhex(chunk))
        elif name == "paced":
            self.paced([bytes.fromhex(chunk) for chunk in args[1:]], int(args[0]) / 1000,
                       connection)
            return None
        elif name == "status":
            return (f"ok listening={'yes' if self.listener else 'no'} mode={self.mode} "
                    f"clients={len(self.clients)} accepted={self.accepted} "
                    f"streaming={'yes' if self.streaming else 'no'}")
        elif name == "wait-clients":
            count = int(args[0])
            timeout = int(args[1]) / 1000 if len(args) > 1 else 10.0
            self.waiters.append((time.monotonic() + timeout, count, connection))
            self.answer_waiters()
            return None
        elif name == "quit":
            self.running = False
        else:
            return f"error unknown command {name}"
        return "ok"

    def stream(self, button, seconds):
        """Writes from a thread of its own, so that the daemon keeps answering commands; other
        writes meanwhile would cut into its lines, so tests wait for it to end."""
        chunk = button_line(button, 0, DEFAULT_REMOTE) * 256
        clients = list(self.clients)

        def run():
            end = time.monotonic() + seconds
            while clients and time.monotonic() < end:
                for client in list(clients):
                    try:
                        client.sendall(chunk)
                    except OSError:
                        clients.remove(client)
            self.streaming = False

        self.streaming = True
        threading.Thread(target=run, daemon=True).start()

    def hold(self, button, repeats, remote, interval, connection):
        lines = [button_line(button, n, remote) for n in range(repeats)]
        self.paced(lines, interval, connection)

    def paced(self, chunks, interval, connection):
        """Each chunk in a write of its own, interval seconds apart; answers after the last."""
        start = time.monotonic()
        for n, chunk in enumerate(chunks):
            self.timers.append((start + n * interval, lambda chunk=chunk: self.send(chunk)))
        self.timers.append((start + max(len(chunks) - 1, 0) * interval,
                            lambda: reply(connection, "ok")))
        self.timers.sort(key=lambda t: t[0])

    def answer_waiters(self):
        now = time.monotonic()
        waiting = []
        for deadline, count, connection in self.waiters:
            if len(self.clients) >= count:
                reply(connection, f"ok clients={len(self.clients)}")
            elif now >= deadline:
                reply(connection, f"timeout clients={len(self.clients)}")
            else:
                waiting.append((deadline, count, connection))
        self.waiters = waiting

    def run(self):
        while self.running:
            now = time.monotonic()
            while self.timers and self.timers[0][0] <= now:
                _, action = self.timers.pop(0)
                action()
            self.answer_waiters()
            due = [t[0] for t in self.timers[:1]] + [w[0] for w in self.waiters]
            timeout = max(0.0, min(due) - time.monotonic()) if due else None
            for key, _ in self.selector.select(timeout):
                # A command earlier in this batch may have closed this socket already.
                try:
                    self.selector.get_key(key.fileobj)
                except (KeyError, ValueError):
                    continue
                try:
                    key.data(key.fileobj)
                except OSError as failure:
                    print(f"buttonserver: {failure}", file=sys.stderr)
        self.drop_clients()
        self.stop_listening()
        self.control.close()


def bind_control_port():
    """The control port; a daemon left over from an earlier run is asked to make way."""
    deadline = time.monotonic() + 5
    while True:
        control = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        control.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        try:
            control.bind((HOST, CONTROL_PORT))
            control.listen(16)
            return control
        except OSError:
            control.close()
            if time.monotonic() > deadline:
                raise
            try:
                send_command(["quit"], timeout=2)
            except OSError:
                pass
            time.sleep(0.1)


def reply(connection, answer):
    try:
        connection.sendall((answer + "\n").encode())
    except OSError:
        pass
    connection.close()


def send_command(words, timeout=60):
    with socket.create_connection((HOST, CONTROL_PORT), timeout=timeout) as connection:
        connection.sendall((" ".join(words) + "\n").encode())
        answer = b""
        while True:
            chunk = connection.recv(4096)
            if not chunk:
                break
            answer += chunk
    return answer.decode().strip()


def serve(args):
    daemon = Daemon(listening="--stopped" not in args)
    if "--detach" in args:
        # The caller gets its prompt back once the ports are open, so commands work at once.
        if os.fork() > 0:
            os._exit(0)
        os.setsid()
        devnull = os.open(os.devnull, os.O_RDWR)
        for fd in (0, 1, 2):
            os.dup2(devnull, fd)
    daemon.run()


def main(argv):
    if not argv or argv[0] in ("-h", "--help", "help"):
        print(__doc__)
        return 0
    if argv[0] == "serve":
        serve(argv[1:])
        return 0
    try:
        answer = send_command(argv)
    except OSError as failure:
        print(f"buttonserver: no daemon on control port {CONTROL_PORT}: {failure}",
              file=sys.stderr)
        return 2
    print(answer)
    return 0 if answer.startswith("ok") else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
