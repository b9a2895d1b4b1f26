#!/usr/bin/env bash
# Runs a command beside a private CUPS scheduler of its own: its configuration, spool and logs in a
# temporary folder, listening only on a socket there (CUPS_SERVER), with a cups-pdf queue as the
# default printer. The system's scheduler and /etc/cups are left alone.
#
# The cups-pdf backend runs only as root and writes into the job owner's ~/PDF, labelling each file
# with its job id; the first job id is drawn at random, so that runs at the same time never write
# the same file. The command learns it as CUPS_TEST_FIRST_JOB. As another user no scheduler is
# started and the command is run as it is (its CUPS tests skip).
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  exec "$@"
fi

root=$(mktemp -d "${TMPDIR:-/tmp}/ambrel-cups-XXXXXX")
# The filters run as lp: they need to reach the socket and their temporary folder.
chmod 755 "$root"
mkdir -p "$root"/{spool,cache,state,log,ppd}
mkdir -m 1777 "$root/tmp"
first_job=$(( (RANDOM << 15 | RANDOM) % 900000000 + 100000 ))
pid=

cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  home=$(getent passwd "$(id -un)" | cut -d: -f6)
  rm -f "$home/PDF/job_${first_job}"-* "$home/PDF/job_$((first_job + 1))"-*
  rm -rf "$root"
}
trap cleanup EXIT

cat >"$root/cupsd.conf" <<CONF
Listen $root/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
cat >"$root/cups-files.conf" <<CONF
ServerRoot $root
RequestRoot $root/spool
CacheDir $root/cache
StateDir $root/state
TempDir $root/tmp
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
User lp
Group lp
FileDevice No
Sandboxing Relaxed
Printcap $root/printcap
CONF
# The scheduler takes its next job id from its job cache.
printf 'NextJobId %d\n' "$first_job" >"$root/cache/job.cache"

/usr/sbin/cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" &
pid=$!
export CUPS_SERVER=$root/cups.sock
for _ in $(seq 100); do
  lpstat -r >/dev/null 2>&1 && break
  sleep 0.1
done
lpstat -r >/dev/null 2>&1 || { echo "the private cupsd did not start" >&2; cat "$root/log/error_log" >&2 || true; exit 1; }
lpadmin -p AmbrelPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o Label-default=1 2>/dev/null
lpadmin -d AmbrelPDF

export CUPS_TEST_FIRST_JOB=$first_job
status=0
"$@" || status=$?
[ $status -eq 0 ] || { echo "--- private cupsd log:" >&2; tail -40 "$root/log/error_log" >&2 || true; }
exit $status
