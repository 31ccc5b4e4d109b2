// lib/'s top level, below its sub-folders.
#pragma once

int Shared();
