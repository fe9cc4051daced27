// Temporary: keeps hostapp_lib non-empty until the host services land.
