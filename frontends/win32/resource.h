// Resource ids of Obrinex.exe, shared by the resource script and the code.
#pragma once

#define IDI_OBRINEX 1
