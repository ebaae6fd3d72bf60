"""Whole-file reads and writes shared by the command line's end-to-end tests."""
import os


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, data):
    """Writes bytes, or text as UTF-8, creating the folders on the way."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())
