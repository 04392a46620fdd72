#pragma once
// What a module of a macro builds. Bolt modules carry bolt patterns and bolt data; profile modules
// place named profiles whose owned-member names the standards can set.
enum class Mx_ModuleKind { General, Bolt, Profile };
