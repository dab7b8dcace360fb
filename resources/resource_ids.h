// Identifiers of the resources embedded in pelmora.exe.
#pragma once

#define PELMORA_ICON 1
#define PELMORA_FORM_DESCRIPTION 101
#define PELMORA_VBA_PAYLOAD 102
