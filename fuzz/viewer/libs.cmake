set(fuzz_libs vantora_viewer)
