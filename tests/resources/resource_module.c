/* Resource-only module: no code runs in it; the entry point is left 0. */
int qor32_resource_module;
