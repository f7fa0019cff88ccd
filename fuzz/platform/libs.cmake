set(fuzz_libs vantora_jet)
