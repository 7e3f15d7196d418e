# The two commands of the project; see README.md.
.PHONY: test
test:
	@tools/test-all.sh

# Runs setup.exe under Wine on your display with a demo SETUP.INF.
.PHONY: setup-demo
setup-demo:
	@tools/setup-demo
