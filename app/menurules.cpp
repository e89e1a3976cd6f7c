#include "app/menurules.h"

#include "compose/picture.h"
#include "stress/receiverpatches.h"

namespace crustex {

bool resultscurrent(const WorkState& ws) {
    if (ws.quantitykey.empty() || ws.gridstale) return false;
    // Only delta CFF waits for the CFF grid; the optimal planes are
    // evaluated with every picture of them.
    if (ws.quantitykey == "cffpara" && ws.cffstale) return false;
    return true;
}

MenuEnabling menuenabling(const WorkState& ws, const MenuFacts& facts) {
    MenuEnabling e;
    const bool current = resultscurrent(ws);
    e.print = current;
    e.storestrains = current;
    e.storeobsstrains = current && ws.showobsdatachecked;
    e.storesourcemap = ws.needmap;
    e.openobs = ws.needmap;
    e.resume = facts.lastworkexists;
    e.slipmodel = !ws.slipmodel.empty();
    e.paste = facts.clipboardhasimage;
    e.map = facts.coastfileexists;
    e.area = facts.seisprogramexists && ws.needmap;
    e.exportarea = ws.areastate != 0;
    e.cleararea = ws.areastate != 0;
    e.obssite = ws.nsite != 0;
    e.redraw = !ws.quantitykey.empty();
    const QuantityInfo* oop = findquantity("cffoop");
    e.optimalcff = oop && quantityoffered(ws, *oop);
    e.sourcereceivers = !sourcereceivers(ws).empty();
    e.receivers = !ws.receivers.empty();
    return e;
}

}  // namespace crustex
