#!/usr/bin/env bash
# The help file: every page of docs/help is in the compiled Brindlex.chm beside the program,
# every link between the pages (and from the contents and the index) finds its page and its
# anchor, and the Help entry of each menu opens the HTML Help window. (Wine here has no
# browser engine, so that window's page pane stays empty; its frame is what can be seen.)
source "$(dirname "$0")/lib.sh"
e2e_start

HELP_SOURCE=$BRINDLEX_SOURCE/docs/help
CHM=$(dirname "$BRINDLEX_EXE")/Brindlex.chm
[[ -s $CHM ]] || fail "no Brindlex.chm beside the program"
chmls -n list "$CHM" 2>/dev/null | sed -n 's#^/\([^/]*\.\(html\|css\|hhc\|hhk\)\)$#\1#p' | sort >"$E2E_DIR/compiled"
python3 - "$HELP_SOURCE" "$E2E_DIR/compiled" <<'PY' || fail "the help's pages or links"
import html.parser, os, re, sys

source, compiled_list = sys.argv[1], sys.argv[2]
compiled = set(open(compiled_list).read().split())
project = open(os.path.join(source, "Brindlex.hhp")).read()
listed = set(project.split("[FILES]", 1)[1].split())
pages = {f for f in os.listdir(source) if f.endswith(".html")}
problems = []
if pages - listed:
    problems.append(f"pages missing from the project's [FILES]: {sorted(pages - listed)}")
for name in sorted(listed | {"toc.hhc", "index.hhk"}):
    if name not in compiled:
        problems.append(f"{name} is not in Brindlex.chm")

class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids, self.links = set(), []
    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.add(a["id"])
        for key in ("href", "src"):
            if key in a:
                self.links.append(a[key])
        if tag == "param" and a.get("name") == "Local":
            self.links.append(a["value"])

parsed = {}
for name in sorted(pages | {"toc.hhc", "index.hhk"}):
    p = Page()
    p.feed(open(os.path.join(source, name), encoding="ascii").read())
    parsed[name] = p
    if name in pages and not re.search(r"<title>[^<]+</title>", open(os.path.join(source, name)).read()):
        problems.append(f"{name} has no title")
linked = set()
for name, p in parsed.items():
    for link in p.links:
        target, _, anchor = link.partition("#")
        target = target or name
        linked.add(target)
        if ":" in target or target not in listed:
            problems.append(f"{name}: {link} leads to no page of the help")
        elif anchor and anchor not in parsed[target].ids:
            problems.append(f"{name}: {link} has no such anchor")
for page in sorted(pages - linked):
    problems.append(f"{page} is reached by no link, contents entry or index entry")
contents = {l.partition("#")[0] for l in parsed["toc.hhc"].links}
for page in sorted(pages - contents):
    problems.append(f"{page} is not in the contents")
print("\n".join(problems), file=sys.stderr)
sys.exit(1 if problems else 0)
PY
note "$(wc -l <"$E2E_DIR/compiled") files in Brindlex.chm; every page and link found"

# Help from the More menu and from the notification-area menu, chosen with the arrow keys (Wine
# keeps a menu's entries inside its process, where another program cannot read them).
wait_for_help() {  # the HTML Help window, titled by the help file
  HELP=$(probe --timeout 20000 find "HH Parent" "Brindlex Help") || fail "no HTML Help window after $1"
  wait_for 5 eq 1 probe visible "$HELP" || fail "the HTML Help window is not shown"
  # Its contents tab lists the contents file's pages (TVM_GETCOUNT).
  local contents
  contents=$(wait_for 5 probe descendant "$HELP" SysTreeView32) || fail "the HTML Help window has no contents"
  wait_for 5 eq "$(grep -c 'name="Local"' "$HELP_SOURCE/toc.hhc")" probe send "$contents" "$TVM_GETCOUNT" 0 0 ||
    fail "the contents do not list every page"
  if [[ -n ${E2E_HELP_SHOT:-} ]]; then screen_settled "$E2E_HELP_SHOT"; fi
  probe post "$HELP" "$WM_CLOSE" 0 0 >/dev/null
  probe --timeout 10000 gone "HH Parent" "Brindlex Help" >/dev/null || fail "the HTML Help window did not close"
}

start_app
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground
probe click "$MAIN" "$IDC_MENU_BUTTON" >/dev/null
probe --timeout 5000 menu >/dev/null || fail "no More menu"
probe keys "$VK_DOWN" "$VK_DOWN" "$VK_DOWN" "$VK_DOWN" "$VK_DOWN" "$VK_DOWN" "$VK_RETURN" >/dev/null # Down to Help, past Hide, Always on top, Find, Settings, Export
wait_for_help "Help in the More menu"

probe post "$MAIN" "$WM_TRAY_CALLBACK" 0 "$WM_RBUTTONUP" >/dev/null
probe --timeout 5000 menu >/dev/null || fail "no notification-area menu"
probe keys "$VK_DOWN" "$VK_DOWN" "$VK_DOWN" "$VK_DOWN" "$VK_RETURN" >/dev/null # Down to Help, past Hide, Find and Settings
wait_for_help "Help in the notification-area menu"
exit_app
note "help ok"
