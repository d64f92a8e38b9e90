#pragma once
// Makes the engine's component classes known to the class registry, so that a stored form can
// name them: TAliasEditor, TDatabase and TQuery. Call once at start-up, before reading a form.
void RegisterDbEngineClasses();
