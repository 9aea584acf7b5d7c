#pragma once
// The information, support and catalogue windows, known to the registry as
// "informa", "supportoclienti" and "prodotti".

class WindowRegistry;

void registerInfoWindows(WindowRegistry& registry);
