# lm_start_cups DIR [QUEUE]: starts a cupsd of our own (sourced, not run) with
# its whole configuration, spool and socket under DIR, and, when QUEUE is
# given, a PDF queue of that name made the default. Sets LM_CUPS_PID and
# LM_CUPS_SOCKET; programs reach it through CUPS_SERVER=$LM_CUPS_SOCKET. The
# caller stops it by that process id (lm_stop_cups). The PDF files land in
# the printing user's ~/PDF, named after the document's title.
lm_start_cups() {
  local dir=$1 queue=${2:-}
  LM_CUPS_PID=
  command -v cupsd >/dev/null || { lm_say "cupsd is not installed"; return 1; }
  rm -rf "$dir"
  mkdir -p "$dir"/{ppd,spool/tmp,cache,state/certs,log}
  chmod 0755 "$dir" "$dir/ppd"
  chmod 0710 "$dir/spool"
  LM_CUPS_SOCKET=$dir/cups.sock
  cat > "$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
User lp
Group lp
FileDevice No
CONF
  cat > "$dir/cupsd.conf" <<CONF
Listen $LM_CUPS_SOCKET
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/stdout" 2>&1 &
  LM_CUPS_PID=$!
  local i
  for i in $(seq 1 100); do
    [[ -S $LM_CUPS_SOCKET ]] && break
    kill -0 "$LM_CUPS_PID" 2>/dev/null || { lm_say "cupsd stopped: $(tail -3 "$dir/log/"* 2>/dev/null)"; LM_CUPS_PID=; return 1; }
    sleep 0.05
  done
  [[ -S $LM_CUPS_SOCKET ]] || { lm_say "cupsd did not open its socket"; return 1; }
  if [[ -n $queue ]]; then
    CUPS_SERVER=$LM_CUPS_SOCKET lpadmin -p "$queue" -v cups-pdf:/ \
      -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E 2>/dev/null || { lm_say "could not add the queue $queue"; return 1; }
    CUPS_SERVER=$LM_CUPS_SOCKET lpadmin -d "$queue"
  fi
}

lm_stop_cups() {
  if [[ -n ${LM_CUPS_PID:-} ]]; then
    kill "$LM_CUPS_PID" 2>/dev/null || true
    wait "$LM_CUPS_PID" 2>/dev/null || true
    LM_CUPS_PID=
  fi
}
