# Checks shared by the test scripts; sourced, not run.

failures=0

expect() {  # expect what actual expected
  if [ "$2" == "$3" ]; then
    echo "ok   $1: $2"
  else
    echo "FAIL $1: got '$2', expected '$3'"
    failures=$((failures + 1))
  fi
}

# The data of one registry value as wine's reg prints it ("0x2d", a text),
# or "missing". Needs $wine.
reg_value() {
  local out
  if out=$("$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r'); then
    awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print; found = 1 }
                      END { if (!found) print "missing" }' <<<"$out"
  else
    echo missing
  fi
}
