#!/usr/bin/env python3
"""adb_host.py PORT-FILE LOG: a minimal adb server on a free loopback port, for the Windows run.

Writes the port it listens on to PORT-FILE, then answers the two host services Kavu's device list
uses: host:track-devices (one phone, connection kept open) and host:devices-l (the same phone with
its model, connection closed). Each request is appended to LOG as it arrives.
"""
import socket
import sys
import threading

SERIAL = "0123456789ABCDEF"
ANSWERS = {
    "host:track-devices": f"{SERIAL}\tdevice\n",
    "host:devices-l": f"{SERIAL}         device product:demo model:Pixel_7 device:demo transport_id:1\n",
}


def frame(text):
    data = text.encode()
    return b"OKAY" + b"%04x" % len(data) + data


def serve(connection, log):
    with connection:
        length = int(connection.recv(4, socket.MSG_WAITALL), 16)
        service = connection.recv(length, socket.MSG_WAITALL).decode()
        with open(log, "a") as out:
            out.write(service + "\n")
        if service not in ANSWERS:
            connection.sendall(b"FAIL0007unknown")
            return
        connection.sendall(frame(ANSWERS[service]))
        if service == "host:track-devices":
            connection.recv(1)  # held open until the client goes


def main():
    port_file, log = sys.argv[1], sys.argv[2]
    listener = socket.create_server(("127.0.0.1", 0))
    with open(port_file, "w") as out:
        out.write(str(listener.getsockname()[1]))
    while True:
        connection, _ = listener.accept()
        threading.Thread(target=serve, args=(connection, log), daemon=True).start()


if __name__ == "__main__":
    main()
