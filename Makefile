# The commands of the project; see README.md.
.PHONY: test play art
test:
	@tools/test-all

# Builds the game and starts it under Wine on your display (see README.md).
play:
	@tools/play

# Runs setup.exe under Wine on your display with a demo SETUP.INF.
.PHONY: setup-demo
setup-demo:
	@tools/setup-demo

# The x86 programs laid out for handing out, and a zip of them: build/dist/
.PHONY: dist
dist:
	@tools/dist

# The contact sheet of every picture: build/native/art/contact-sheet.png
art:
	@tools/install-deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native --target contact_sheet

# The handset's own kubrelse.exe under Wine for 32-bit ARM on your display.
.PHONY: play-handset
play-handset:
	@tools/play-handset

# The handset image's tests under Wine for 32-bit ARM alone.
.PHONY: test-handset
test-handset:
	@tools/test-handset
