# Targets the conduit's fuzz programs link.
set(fuzz_libs velvix_core)
