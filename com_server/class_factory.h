// One cached class factory per server class, made on its first request
// and kept until the module unloads.
#pragma once

#include <windows.h>

#include <unknwn.h>

// At module load: makes the lock under which factories are made.
void InitClassFactories();
// At module unload: releases the cached factories and deletes the lock.
void ReleaseClassFactories();

// The `iid` interface of the factory of `clsid`: CLASS_E_CLASSNOTAVAILABLE
// for a class the server does not have or cannot make yet.
HRESULT GetClassFactory(REFCLSID clsid, REFIID iid, void** object);
