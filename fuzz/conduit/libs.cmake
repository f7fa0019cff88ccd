# Targets the conduit's fuzz programs link.
set(fuzz_libs velvix_core)
# Handheld-database files and layouts.
list(APPEND fuzz_libs hotsync_pdb)
