#!/usr/bin/env python3
"""Enciphers a base settings text into the two RCDATA resources that the launcher deciphers.

    embed-settings.py --ini base.ini --upgrade-code CODE [--passphrase TEXT] --out-dir DIR

Writes DIR/base-passphrase.bin (resource 9000: the passphrase as UTF-16LE, no terminator,
enciphered under a key derived from the Upgrade Code), DIR/base-text.bin (resource 8000: the INI
text as UTF-16LE with CR LF line ends and no byte-order mark, enciphered under a key derived from
the passphrase) and DIR/base-settings.rc, which names both as language-neutral RCDATA.

The launcher hashes the 8-bit form of each passphrase (the thread's ANSI code page, no
terminator) with MD5 and lets the base cryptographic provider derive an RC4 key from the hash.
That provider derives 40-bit keys with an 11-byte zero salt: the RC4 key is the first 5 bytes
of the hash followed by 11 zero bytes. Passphrases are limited to printable ASCII so that their
8-bit form is the same under every code page.

This hides the text from casual reading; it is not protection: the Upgrade Code that unlocks it
sits in the settings file beside the executable.
"""
import argparse
import hashlib
import os
import secrets
import string
import sys

PASSPHRASE_RESOURCE = 9000
TEXT_RESOURCE = 8000
GENERATED_PASSPHRASE_LENGTH = 32

# Keys of these sections are read from the settings file only; the base text cannot supply them.
FILE_ONLY_SECTIONS = ("product information", "display")


class UsageError(Exception):
    pass


def derive_key(passphrase):
    """The RC4 key that CryptDeriveKey(CALG_RC4, flags 0) gives for an MD5 hash of the passphrase."""
    return hashlib.md5(passphrase.encode("ascii")).digest()[:5] + bytes(11)


def rc4(key, data):
    state = list(range(256))
    j = 0
    for i in range(256):
        j = (j + state[i] + key[i % len(key)]) & 0xFF
        state[i], state[j] = state[j], state[i]
    out = bytearray(len(data))
    i = j = 0
    for n, byte in enumerate(data):
        i = (i + 1) & 0xFF
        j = (j + state[i]) & 0xFF
        state[i], state[j] = state[j], state[i]
        out[n] = byte ^ state[(state[i] + state[j]) & 0xFF]
    return bytes(out)


def encipher(passphrase, text):
    return rc4(derive_key(passphrase), text.encode("utf-16-le"))


def check_passphrase(what, value):
    if not value:
        raise UsageError(f"the {what} is empty")
    bad = [ch for ch in value if not (" " <= ch <= "~")]
    if bad:
        raise UsageError(f"the {what} may hold printable ASCII characters only, not {bad[0]!r}: "
                         "the launcher hashes its 8-bit form, which depends on the code page otherwise")


def decode_ini(raw, path):
    """UTF-16 (with byte-order mark) or UTF-8 (with or without one); the mark itself is dropped."""
    try:
        if raw.startswith(b"\xff\xfe"):
            return raw[2:].decode("utf-16-le")
        if raw.startswith(b"\xfe\xff"):
            return raw[2:].decode("utf-16-be")
        if raw.startswith(b"\xef\xbb\xbf"):
            return raw[3:].decode("utf-8")
        return raw.decode("utf-8")
    except UnicodeDecodeError as error:
        raise UsageError(f"{path} is neither UTF-8 nor UTF-16 with a byte-order mark ({error.reason} "
                         f"at byte {error.start})") from None


def normalise_line_ends(text):
    """The launcher's parser ends lines only at CR LF, so lone LF and lone CR become CR LF."""
    return text.replace("\r\n", "\n").replace("\r", "\n").replace("\n", "\r\n")


def lint(text, path):
    """Warnings for sections that the launcher never reads from the base text."""
    for number, line in enumerate(text.split("\r\n"), 1):
        stripped = line.strip()
        if not (stripped.startswith("[") and stripped.endswith("]")):
            continue
        name = stripped[1:-1]
        if name.endswith("+"):
            print(f"{path}:{number}: warning: [{name}] only extends values in the settings file; "
                  "in the base text it has no effect", file=sys.stderr)
        elif name.lower() in FILE_ONLY_SECTIONS:
            print(f"{path}:{number}: warning: keys of [{name}] are read from the settings file only",
                  file=sys.stderr)


def rc_path(path):
    absolute = os.path.abspath(path).replace("\\", "/")
    if '"' in absolute:
        raise UsageError(f"cannot name {absolute} in a resource script")
    return absolute


def write_if_changed(path, data):
    try:
        with open(path, "rb") as existing:
            if existing.read() == data:
                return
    except FileNotFoundError:
        pass
    with open(path, "wb") as out:
        out.write(data)


def embed(ini, upgrade_code, passphrase, out_dir):
    check_passphrase("Upgrade Code", upgrade_code)
    if upgrade_code != upgrade_code.strip():
        raise UsageError("the Upgrade Code starts or ends with a space, which the settings reader drops")
    if passphrase is None:
        alphabet = string.ascii_letters + string.digits
        passphrase = "".join(secrets.choice(alphabet) for _ in range(GENERATED_PASSPHRASE_LENGTH))
    check_passphrase("passphrase", passphrase)
    try:
        with open(ini, "rb") as source:
            raw = source.read()
    except OSError as error:
        raise UsageError(f"cannot read {ini}: {error.strerror}") from None
    text = normalise_line_ends(decode_ini(raw, ini))
    if not text.strip():
        raise UsageError(f"{ini} holds no settings")
    lint(text, ini)

    os.makedirs(out_dir, exist_ok=True)
    passphrase_file = os.path.join(out_dir, "base-passphrase.bin")
    text_file = os.path.join(out_dir, "base-text.bin")
    write_if_changed(passphrase_file, encipher(upgrade_code, passphrase))
    write_if_changed(text_file, encipher(passphrase, text))
    script = ("// Generated by embed-settings.py: the built-in base settings text, enciphered.\n"
              "LANGUAGE 0, 0\n"
              f'{PASSPHRASE_RESOURCE} RCDATA "{rc_path(passphrase_file)}"\n'
              f'{TEXT_RESOURCE} RCDATA "{rc_path(text_file)}"\n')
    write_if_changed(os.path.join(out_dir, "base-settings.rc"), script.encode("ascii"))


def main(argv):
    parser = argparse.ArgumentParser(description="Encipher a base settings text into the launcher's "
                                     "resources 9000 and 8000.")
    parser.add_argument("--ini", required=True, help="the base settings text (UTF-8 or UTF-16 with BOM)")
    parser.add_argument("--upgrade-code", required=True,
                        help='the "Upgrade Code" of [Product Information] that unlocks the text')
    parser.add_argument("--passphrase", help="passphrase of the text (printable ASCII); random when absent")
    parser.add_argument("--out-dir", required=True, help="folder for the .rc fragment and the two .bin files")
    args = parser.parse_args(argv)
    try:
        embed(args.ini, args.upgrade_code, args.passphrase or None, args.out_dir)
    except UsageError as error:
        print(f"embed-settings.py: error: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
