set(fuzz_libs vantora_jet vantora_registry)
