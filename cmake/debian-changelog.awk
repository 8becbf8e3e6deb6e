# CHANGELOG.md to a Debian changelog, one entry per "## VERSION - DATE"
# section, newest first, as a native package carries it:
#
#   name (VERSION) unstable; urgency=medium
#
#     * the section's first paragraph
#     * Added:
#       - an item
#
#    -- maintainer  Tue, 08 Dec 2026 00:00:00 +0000
#
# usage: awk -v name=NAME -v maintainer='Name <mail>' -f this CHANGELOG.md
function close_entry() {
	if (version != "")
		printf "\n -- %s  %s\n", maintainer, rfc2822(date)
}

# YYYY-MM-DD to an RFC 2822 date at midnight UTC.
function rfc2822(ymd,    command, stamp) {
	command = "date -u -R -d " ymd
	command | getline stamp
	close(command)
	return stamp
}

# The section of changes not yet released, "## Unreleased", is left out.
/^## / {
	close_entry()
	if (version != "" && $2 != "Unreleased")
		print ""
	version = $2 == "Unreleased" ? "" : $2; date = $4
	if (version != "")
		printf "%s (%s) unstable; urgency=medium\n\n", name, version
	para = 0
	next
}
version == "" { next }
/^### / { sub(/^### /, ""); print "  * " $0 ":"; item = 0; next }
/^- / { sub(/^- /, ""); print "    - " $0; item = 1; next }
/^  / && item { print "    " $0; next }
/^$/ { para = 0; item = 0; next }
{ print (para ? "    " : "  * ") $0; para = 1; next }
END { close_entry() }
