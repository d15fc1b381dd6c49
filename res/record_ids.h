#pragma once
// Ids of the add/delete data dialog (135) and the popup menu (105).
