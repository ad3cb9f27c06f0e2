#!/bin/bash
# Signing a launcher on Linux with osslsigncode and a throw-away certificate:
#  - a signed launcher verifies;
#  - a jar appended after signing breaks the signature ("Embedded Jar": append first, sign last);
#  - a jar appended before signing keeps the signature valid and stays readable as a zip file.
#   check-signing.sh BUILD_DIR
set -u
build=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
  -subj "/CN=Tarn test signer" >/dev/null 2>&1 || { echo "FAIL: no test certificate"; exit 1; }
sign() { osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -n "Tarn test" -h sha256 -in "$1" -out "$2" >/dev/null; }
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" 2>&1 | grep -q '^Signature verification: ok'; }
python3 - "$work/app.jar" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as jar:
    jar.writestr("app/Main.class", "method main\n  out from the embedded jar\nend\n")
PY

launcher=$build/tarn64.exe
sign "$launcher" "$work/signed.exe" || fail "osslsigncode could not sign $launcher"
verify "$work/signed.exe" || fail "the signed launcher does not verify"
verify "$launcher" && fail "the unsigned launcher verifies"

cat "$work/signed.exe" "$work/app.jar" > "$work/signed-then-appended.exe"
verify "$work/signed-then-appended.exe" && fail "a jar appended after signing left the signature valid"

cat "$launcher" "$work/app.jar" > "$work/appended.exe"
sign "$work/appended.exe" "$work/appended-then-signed.exe" || fail "osslsigncode could not sign the launcher with its jar"
verify "$work/appended-then-signed.exe" || fail "a launcher signed after its jar was appended does not verify"
python3 - "$work/appended-then-signed.exe" <<'PY' || fail "the embedded jar is no longer readable after signing"
import sys, zipfile
assert zipfile.ZipFile(sys.argv[1]).read("app/Main.class").startswith(b"method main")
PY

[ "$failures" -eq 0 ] || exit 1
echo "signing checks passed"
