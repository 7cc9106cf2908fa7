<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Account</name>
    <message>
        <source>This preview is pinned to its PR server.</source>
        <translation>Esta versión de prueba usa fijo el servidor de su PR.</translation>
    </message>
    <message>
        <source>Use your Checkout server address.</source>
        <translation>Use la dirección de su servidor de Checkout.</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Activados</translation>
    </message>
    <message>
        <source>Setup required</source>
        <translation>Falta configurar</translation>
    </message>
    <message>
        <source>Daily Square import</source>
        <translation>Importación diaria de Square</translation>
    </message>
    <message>
        <source>Individual Zoho invoices</source>
        <translation>Facturas de Zoho por venta</translation>
    </message>
    <message>
        <source>Create the invoice here. Collect card or cash under Invoices on Square Register.</source>
        <translation>Cree la factura aquí. Cobre con tarjeta o efectivo en Facturas de Square Register.</translation>
    </message>
    <message>
        <source>Daily Square import handles accounting. No separate Zoho invoice or pickup shipment is created.</source>
        <translation>La importación diaria de Square lleva la contabilidad. No se crea factura de Zoho ni envío de recogida aparte.</translation>
    </message>
    <message>
        <source>Pickup fulfillment continues when the app is closed.</source>
        <translation>La entrega de recogidas sigue aunque la app esté cerrada.</translation>
    </message>
</context>
<context>
    <name>AccountSheet</name>
    <message>
        <source>Account</source>
        <translation>Cuenta</translation>
    </message>
    <message>
        <source>Signed in</source>
        <translation>Sesión iniciada</translation>
    </message>
    <message>
        <source>Checkout</source>
        <translation>Cobro</translation>
    </message>
    <message>
        <source>Payments</source>
        <translation>Pagos</translation>
    </message>
    <message>
        <source>Collect payment on</source>
        <translation>Cobrar en</translation>
    </message>
    <message>
        <source>Accounting</source>
        <translation>Contabilidad</translation>
    </message>
    <message>
        <source>Business day</source>
        <translation>Jornada comercial</translation>
    </message>
    <message>
        <source>Customer display</source>
        <translation>Pantalla del cliente</translation>
    </message>
    <message>
        <source>Customer display screen</source>
        <translation>Monitor de la pantalla del cliente</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Demo data only. No real records or charges.</source>
        <translation>Solo datos de demostración. Sin registros ni cargos reales.</translation>
    </message>
    <message>
        <source>Sign out</source>
        <translation>Cerrar sesión</translation>
    </message>
</context>
<context>
    <name>Catalog</name>
    <message>
        <source>Product photo unavailable</source>
        <translation>Foto del producto no disponible</translation>
    </message>
    <message>
        <source>Photo of %1</source>
        <translation>Foto de %1</translation>
    </message>
    <message>
        <source>%1 available</source>
        <translation>%1 disponibles</translation>
    </message>
    <message>
        <source>Stock unavailable</source>
        <translation>Existencias no disponibles</translation>
    </message>
    <message>
        <source>Stock: %1</source>
        <translation>Existencias: %1</translation>
    </message>
    <message>
        <source>first component</source>
        <translation>primer componente</translation>
    </message>
    <message>
        <source>Add %1, %2</source>
        <translation>Añadir %1, %2</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todo</translation>
    </message>
    <message>
        <source>Uncategorized</source>
        <translation>Sin categoría</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Base</translation>
    </message>
    <message>
        <source>Wall</source>
        <translation>Pared</translation>
    </message>
    <message>
        <source>Vanity</source>
        <translation>Tocador</translation>
    </message>
    <message>
        <source>Accessories</source>
        <translation>Accesorios</translation>
    </message>
</context>
<context>
    <name>CatalogView</name>
    <message>
        <source>Products</source>
        <translation>Productos</translation>
    </message>
    <message>
        <source>Tap a product to add it.</source>
        <translation>Toque un producto para añadirlo.</translation>
    </message>
    <message>
        <source>Refresh inventory</source>
        <translation>Actualizar inventario</translation>
    </message>
    <message>
        <source>Search SKU, product, or description</source>
        <translation>Buscar SKU, producto o descripción</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>Borrar búsqueda</translation>
    </message>
    <message>
        <source>Stop voice search</source>
        <translation>Detener búsqueda por voz</translation>
    </message>
    <message>
        <source>Voice search</source>
        <translation>Búsqueda por voz</translation>
    </message>
    <message>
        <source>Filter products</source>
        <translation>Filtrar productos</translation>
    </message>
    <message>
        <source>Show assembled</source>
        <translation>Mostrar armados</translation>
    </message>
    <message>
        <source>SKUs ending in WSx</source>
        <translation>SKU que terminan en WSx</translation>
    </message>
    <message>
        <source>Show unassembled</source>
        <translation>Mostrar sin armar</translation>
    </message>
    <message>
        <source>All other SKUs</source>
        <translation>Todos los demás SKU</translation>
    </message>
    <message>
        <source>Listening… Say a product name or SKU.</source>
        <translation>Escuchando… Diga un producto o un SKU.</translation>
    </message>
    <message>
        <source>Added %1</source>
        <translation>Añadido: %1</translation>
    </message>
    <message>
        <source>Loading products…</source>
        <translation>Cargando productos…</translation>
    </message>
    <message>
        <source>Products could not load</source>
        <translation>No se pudieron cargar los productos</translation>
    </message>
    <message>
        <source>Check the connection, then Refresh inventory.</source>
        <translation>Revise la conexión y toque Actualizar inventario.</translation>
    </message>
    <message>
        <source>No products selected</source>
        <translation>Ningún producto seleccionado</translation>
    </message>
    <message>
        <source>Turn on Show assembled or Show unassembled.</source>
        <translation>Active Mostrar armados o Mostrar sin armar.</translation>
    </message>
    <message>
        <source>No products found</source>
        <translation>No se encontraron productos</translation>
    </message>
    <message>
        <source>Change the search or filters.</source>
        <translation>Cambie la búsqueda o los filtros.</translation>
    </message>
    <message numerus="yes">
        <source>%n product(s)</source>
        <translation>
            <numerusform>%n producto</numerusform>
            <numerusform>%n productos</numerusform>
        </translation>
    </message>
    <message>
        <source>Stock updated %1 ago</source>
        <translation>Existencias actualizadas hace %1</translation>
    </message>
</context>
<context>
    <name>Checkout</name>
    <message>
        <source>Checkout</source>
        <translation>Cobro</translation>
    </message>
    <message>
        <source>Prepare for Register</source>
        <translation>Preparar para Register</translation>
    </message>
    <message>
        <source>Collect payment</source>
        <translation>Cobrar</translation>
    </message>
    <message>
        <source>Daily Square import handles accounting. No separate paid invoice or pickup shipment is created in Zoho.</source>
        <translation>La importación diaria de Square lleva la contabilidad. No se crea en Zoho factura pagada ni envío de recogida aparte.</translation>
    </message>
    <message>
        <source>Shipment stays open until the hold is released or the warehouse fulfills it.</source>
        <translation>El envío queda abierto hasta que se libere la retención o el almacén lo entregue.</translation>
    </message>
    <message>
        <source>Pickup is marked fulfilled at the end of the business day.</source>
        <translation>La recogida se marca como entregada al cierre de la jornada.</translation>
    </message>
    <message>
        <source>Prepare Register invoice</source>
        <translation>Preparar factura de Register</translation>
    </message>
    <message>
        <source>Send to Square Terminal</source>
        <translation>Enviar a Square Terminal</translation>
    </message>
    <message>
        <source>Record cash payment</source>
        <translation>Registrar pago en efectivo</translation>
    </message>
    <message>
        <source>Square Register</source>
        <translation>Square Register</translation>
    </message>
    <message>
        <source>Square Terminal</source>
        <translation>Square Terminal</translation>
    </message>
    <message>
        <source>Cash received</source>
        <translation>Efectivo recibido</translation>
    </message>
    <message>
        <source>Cash payment</source>
        <translation>Pago en efectivo</translation>
    </message>
    <message>
        <source>Square payment confirmed</source>
        <translation>Pago de Square confirmado</translation>
    </message>
    <message>
        <source>Payment confirmed</source>
        <translation>Pago confirmado</translation>
    </message>
    <message>
        <source>Accounting: daily Square import</source>
        <translation>Contabilidad: importación diaria de Square</translation>
    </message>
    <message>
        <source>Awaiting daily Square import. No separate paid Zoho invoice is created.</source>
        <translation>Pendiente de la importación diaria de Square. No se crea factura pagada de Zoho aparte.</translation>
    </message>
    <message>
        <source>Quote accepted &amp; sales order created</source>
        <translation>Cotización aceptada y pedido creado</translation>
    </message>
    <message>
        <source>Invoice paid in Zoho</source>
        <translation>Factura pagada en Zoho</translation>
    </message>
    <message>
        <source>Check payment</source>
        <translation>Comprobar pago</translation>
    </message>
    <message>
        <source>Refresh &amp; resume</source>
        <translation>Actualizar y reanudar</translation>
    </message>
    <message>
        <source>Cancel unpaid invoice</source>
        <translation>Anular factura impaga</translation>
    </message>
    <message>
        <source>Cancel Terminal request</source>
        <translation>Anular cobro en Terminal</translation>
    </message>
    <message>
        <source>Transaction </source>
        <translation>Transacción </translation>
    </message>
    <message>
        <source>Payment confirmed. Resume to accept the quote. Accounting uses the daily Square import.</source>
        <translation>Pago confirmado. Reanude para aceptar la cotización. La contabilidad usa la importación diaria de Square.</translation>
    </message>
    <message>
        <source>Payment saved. Resume to finish the Zoho invoice using the existing payment.</source>
        <translation>Pago guardado. Reanude para terminar la factura de Zoho con el pago existente.</translation>
    </message>
    <message>
        <source>Collect payment on Register, then tap Check payment. Reopen this checkout from Transactions.</source>
        <translation>Cobre en Register y luego toque Comprobar pago. Vuelva a abrir este cobro desde Transacciones.</translation>
    </message>
    <message>
        <source>Reopen this checkout from Transactions.</source>
        <translation>Vuelva a abrir este cobro desde Transacciones.</translation>
    </message>
    <message>
        <source>This checkout was canceled. Nothing is collected for it.</source>
        <translation>Este cobro se anuló. No se cobra nada por él.</translation>
    </message>
    <message>
        <source>That checkout was canceled. Its quote is open here and can be checked out again.</source>
        <translation>Ese cobro se anuló. Su cotización está abierta aquí y se puede volver a cobrar.</translation>
    </message>
    <message>
        <source>This checkout is from Transactions. Your draft is kept; go back to it or start the next sale.</source>
        <translation>Este cobro viene de Transacciones. Su borrador se conserva; vuelva a él o empiece la siguiente venta.</translation>
    </message>
    <message>
        <source>Cancel unpaid invoice?</source>
        <translation>¿Anular la factura impaga?</translation>
    </message>
    <message>
        <source>Cancel Terminal request?</source>
        <translation>¿Anular el cobro en Terminal?</translation>
    </message>
    <message>
        <source>Square is checked before cancellation. Paid transactions cannot be canceled here.</source>
        <translation>Se consulta Square antes de anular. Las transacciones pagadas no se pueden anular aquí.</translation>
    </message>
    <message>
        <source>Cancel request</source>
        <translation>Anular cobro</translation>
    </message>
    <message>
        <source>Keep checkout</source>
        <translation>Mantener cobro</translation>
    </message>
    <message>
        <source>Print the receipt on Square Register.</source>
        <translation>Imprima el recibo en Square Register.</translation>
    </message>
    <message>
        <source>View Square receipt</source>
        <translation>Ver recibo de Square</translation>
    </message>
    <message>
        <source>Print Terminal receipt</source>
        <translation>Imprimir recibo de Terminal</translation>
    </message>
    <message>
        <source>Print the paid invoice from the print dialog</source>
        <translation>Imprima la factura pagada desde el cuadro de impresión</translation>
    </message>
    <message>
        <source>Print invoice</source>
        <translation>Imprimir factura</translation>
    </message>
    <message>
        <source>Start next sale</source>
        <translation>Siguiente venta</translation>
    </message>
    <message>
        <source>Square invoice</source>
        <translation>Factura de Square</translation>
    </message>
    <message>
        <source>Fulfilled</source>
        <translation>Entregado</translation>
    </message>
    <message>
        <source>On hold</source>
        <translation>Retenido</translation>
    </message>
    <message>
        <source>Needs attention</source>
        <translation>Requiere atención</translation>
    </message>
    <message>
        <source>Scheduled for end of day</source>
        <translation>Programado para el cierre del día</translation>
    </message>
    <message>
        <source>Release pickup hold</source>
        <translation>Liberar retención de recogida</translation>
    </message>
    <message>
        <source>Hold pickup fulfillment</source>
        <translation>Retener entrega de recogida</translation>
    </message>
    <message>
        <source>%1 could not be read. Type an amount such as %2.</source>
        <translation>No se pudo leer «%1». Escriba un importe como %2.</translation>
    </message>
    <message>
        <source>%1 cannot be negative.</source>
        <translation>«%1» no puede ser negativo.</translation>
    </message>
    <message>
        <source>%1 has more than two decimal places.</source>
        <translation>«%1» tiene más de dos decimales.</translation>
    </message>
</context>
<context>
    <name>CheckoutSheet</name>
    <message>
        <source>Amount due %1</source>
        <translation>Importe a pagar %1</translation>
    </message>
    <message>
        <source>Create a quote invoice, then collect card or cash on Square Register.</source>
        <translation>Cree una factura de la cotización y cobre con tarjeta o efectivo en Square Register.</translation>
    </message>
    <message>
        <source>Payment method</source>
        <translation>Forma de pago</translation>
    </message>
    <message>
        <source>Card · Terminal</source>
        <translation>Tarjeta · Terminal</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Efectivo</translation>
    </message>
    <message>
        <source>Customer taps, inserts, or swipes on Square Terminal.</source>
        <translation>El cliente acerca, inserta o desliza la tarjeta en Square Terminal.</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Importe</translation>
    </message>
    <message>
        <source>Change due</source>
        <translation>Cambio</translation>
    </message>
    <message>
        <source>I have received the cash</source>
        <translation>He recibido el efectivo</translation>
    </message>
    <message>
        <source>Pickup today</source>
        <translation>Recoge hoy</translation>
    </message>
    <message>
        <source>Hold for later pickup</source>
        <translation>Retener para recoger después</translation>
    </message>
    <message>
        <source>DEMO · No card charges. Cash payments stay in this demo.</source>
        <translation>DEMO · Sin cargos a tarjeta. Los pagos en efectivo quedan en esta demo.</translation>
    </message>
</context>
<context>
    <name>ConfirmationSheet</name>
    <message>
        <source>Confirms this change</source>
        <translation>Confirma este cambio</translation>
    </message>
</context>
<context>
    <name>CustomerDisplay</name>
    <message>
        <source>Card</source>
        <translation>Tarjeta</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Efectivo</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Caja</translation>
    </message>
    <message>
        <source>Tap, insert or swipe your card on the terminal</source>
        <translation>Acerque, inserte o deslice su tarjeta en el terminal</translation>
    </message>
    <message>
        <source>Please pay at the register</source>
        <translation>Por favor, pague en la caja</translation>
    </message>
</context>
<context>
    <name>CustomerDisplayView</name>
    <message>
        <source>Welcome</source>
        <translation>Bienvenido</translation>
    </message>
    <message>
        <source>Your items will appear here as they are rung up.</source>
        <translation>Sus artículos aparecerán aquí a medida que se registren.</translation>
    </message>
    <message>
        <source>Thank you</source>
        <translation>Gracias</translation>
    </message>
    <message>
        <source>Amount due</source>
        <translation>Importe a pagar</translation>
    </message>
    <message>
        <source>Cash received</source>
        <translation>Efectivo recibido</translation>
    </message>
    <message>
        <source>Change due</source>
        <translation>Cambio</translation>
    </message>
    <message>
        <source>Your change: %1</source>
        <translation>Su cambio: %1</translation>
    </message>
</context>
<context>
    <name>CustomerDisplayWindow</name>
    <message>
        <source>Customer display</source>
        <translation>Pantalla del cliente</translation>
    </message>
</context>
<context>
    <name>CustomerQuoteBrowser</name>
    <message>
        <source>Customer</source>
        <translation>Cliente</translation>
    </message>
    <message>
        <source>Search all customers</source>
        <translation>Buscar en todos los clientes</translation>
    </message>
    <message>
        <source>Use customer for quote</source>
        <translation>Usar cliente en la cotización</translation>
    </message>
    <message>
        <source>Saved quotes</source>
        <translation>Cotizaciones guardadas</translation>
    </message>
    <message>
        <source>Locked quotes are view-only. The checkout owner manages payment and fulfillment.</source>
        <translation>Las cotizaciones bloqueadas son de solo lectura. Quien lleva el cobro gestiona el pago y la entrega.</translation>
    </message>
    <message>
        <source>Quote viewing remains available. Reset the workspace to start another sale.</source>
        <translation>Puede seguir viendo cotizaciones. Restablezca el espacio de trabajo para empezar otra venta.</translation>
    </message>
    <message>
        <source>Show this customer&apos;s saved quotes</source>
        <translation>Muestra las cotizaciones guardadas de este cliente</translation>
    </message>
    <message>
        <source>View quote, invoices, and payment status</source>
        <translation>Ver cotización, facturas y estado del pago</translation>
    </message>
</context>
<context>
    <name>CustomerSearchField</name>
    <message>
        <source>Clear search</source>
        <translation>Borrar búsqueda</translation>
    </message>
</context>
<context>
    <name>CustomerSheet</name>
    <message>
        <source>New customer</source>
        <translation>Nuevo cliente</translation>
    </message>
    <message>
        <source>Choose customer</source>
        <translation>Elegir cliente</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Finding customers…</source>
        <translation>Buscando clientes…</translation>
    </message>
    <message>
        <source>Create new customer</source>
        <translation>Crear cliente nuevo</translation>
    </message>
    <message>
        <source>Your details are saved. Check whether creation finished, or edit them before trying again.</source>
        <translation>Sus datos están guardados. Compruebe si se terminó de crear o edítelos antes de reintentar.</translation>
    </message>
    <message>
        <source>Edit details</source>
        <translation>Editar datos</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Cliente</translation>
    </message>
    <message>
        <source>All four fields are required.</source>
        <translation>Los cuatro campos son obligatorios.</translation>
    </message>
    <message>
        <source>First name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>First name, required</source>
        <translation>Nombre, obligatorio</translation>
    </message>
    <message>
        <source>Last name</source>
        <translation>Apellido</translation>
    </message>
    <message>
        <source>Last name, required</source>
        <translation>Apellido, obligatorio</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>Teléfono</translation>
    </message>
    <message>
        <source>Phone, required</source>
        <translation>Teléfono, obligatorio</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Correo</translation>
    </message>
    <message>
        <source>Email, required</source>
        <translation>Correo, obligatorio</translation>
    </message>
    <message>
        <source>Deal</source>
        <translation>Trato</translation>
    </message>
    <message>
        <source>Payment sets the deal to Closed Won and updates its amount to the total before tax.</source>
        <translation>Al pagar, el trato pasa a Cerrado ganado y su importe se actualiza al total sin impuestos.</translation>
    </message>
    <message>
        <source>Campaign source</source>
        <translation>Origen de campaña</translation>
    </message>
    <message>
        <source>Saved selection</source>
        <translation>Selección guardada</translation>
    </message>
    <message>
        <source>Select campaign</source>
        <translation>Elegir campaña</translation>
    </message>
    <message>
        <source>Loading campaigns…</source>
        <translation>Cargando campañas…</translation>
    </message>
    <message>
        <source>Campaigns unavailable</source>
        <translation>Campañas no disponibles</translation>
    </message>
    <message>
        <source>Reload campaigns</source>
        <translation>Recargar campañas</translation>
    </message>
    <message>
        <source>Deal amount</source>
        <translation>Importe del trato</translation>
    </message>
    <message>
        <source>Deal amount, required</source>
        <translation>Importe del trato, obligatorio</translation>
    </message>
    <message>
        <source>Closing date</source>
        <translation>Fecha de cierre</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
</context>
<context>
    <name>DealDetailView</name>
    <message>
        <source>Refresh deal details</source>
        <translation>Actualizar datos del trato</translation>
    </message>
    <message>
        <source>Drive folder</source>
        <translation>Carpeta de Drive</translation>
    </message>
    <message>
        <source>Drive folder pending. Refresh after CRM creates it.</source>
        <translation>Carpeta de Drive pendiente. Actualice cuando el CRM la cree.</translation>
    </message>
</context>
<context>
    <name>DealSheet</name>
    <message>
        <source>Associate deal</source>
        <translation>Asociar trato</translation>
    </message>
    <message>
        <source>Loading deals…</source>
        <translation>Cargando tratos…</translation>
    </message>
    <message>
        <source>Customer deals</source>
        <translation>Tratos del cliente</translation>
    </message>
    <message>
        <source>No associated deal</source>
        <translation>Sin trato asociado</translation>
    </message>
</context>
<context>
    <name>DocumentPdf</name>
    <message>
        <source>This document is no longer open.</source>
        <translation>Este documento ya no está abierto.</translation>
    </message>
    <message>
        <source>This page could not be drawn.</source>
        <translation>No se pudo dibujar esta página.</translation>
    </message>
    <message>
        <source>quote</source>
        <translation>cotización</translation>
    </message>
    <message>
        <source>invoice</source>
        <translation>factura</translation>
    </message>
    <message>
        <source>Unreadable %1 PDF from Zoho. Retry or check the %1 in Zoho.</source>
        <translation>PDF de %1 ilegible desde Zoho. Reintente o revise la %1 en Zoho.</translation>
    </message>
    <message>
        <source>Workspace or connection changed. Retry to load the %1.</source>
        <translation>Cambió el espacio de trabajo o la conexión. Reintente cargar la %1.</translation>
    </message>
    <message>
        <source>Loading %1 PDF…</source>
        <translation>Cargando PDF de %1…</translation>
    </message>
    <message>
        <source>Could not load %1 PDF.</source>
        <translation>No se pudo cargar el PDF de %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n page(s)</source>
        <translation>
            <numerusform>%n página</numerusform>
            <numerusform>%n páginas</numerusform>
        </translation>
    </message>
    <message>
        <source>This %1 PDF is too large to show (over %2 MB).</source>
        <translation>El PDF de %1 es demasiado grande para mostrarlo (más de %2 MB).</translation>
    </message>
</context>
<context>
    <name>ErrorCard</name>
    <message>
        <source>Action failed</source>
        <translation>La acción falló</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>FormFieldRow</name>
    <message>
        <source>Required</source>
        <translation>Obligatorio</translation>
    </message>
</context>
<context>
    <name>Format</name>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n día</numerusform>
            <numerusform>%n días</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n hora</numerusform>
            <numerusform>%n horas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minuto</numerusform>
            <numerusform>%n minutos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n segundo</numerusform>
            <numerusform>%n segundos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>Saved checkout request</source>
        <translation>Cobro guardado</translation>
    </message>
    <message>
        <source>Saved quote request</source>
        <translation>Cotización guardada sin enviar</translation>
    </message>
    <message>
        <source>Saved customer request</source>
        <translation>Cliente guardado sin enviar</translation>
    </message>
    <message>
        <source>Saved draft</source>
        <translation>Borrador guardado</translation>
    </message>
    <message>
        <source>Loading transactions…</source>
        <translation>Cargando transacciones…</translation>
    </message>
    <message>
        <source>Completed and pending checkouts appear here.</source>
        <translation>Aquí aparecen los cobros completados y pendientes.</translation>
    </message>
    <message>
        <source>Follow this checkout?</source>
        <translation>¿Seguir este cobro?</translation>
    </message>
    <message>
        <source>Payments and server work continue. The current checkout stays in Transactions and unfinished requests stay saved.</source>
        <translation>Los pagos y el trabajo del servidor continúan. El cobro actual queda en Transacciones y las solicitudes sin terminar quedan guardadas.</translation>
    </message>
    <message>
        <source>Follow checkout</source>
        <translation>Seguir cobro</translation>
    </message>
    <message>
        <source>Transactions could not be loaded.</source>
        <translation>No se pudieron cargar las transacciones.</translation>
    </message>
    <message>
        <source>Transactions could not be refreshed. The list below is from the last refresh.</source>
        <translation>No se pudieron actualizar las transacciones. La lista es de la última actualización.</translation>
    </message>
    <message>
        <source>Remove saved work?</source>
        <translation>¿Quitar el trabajo guardado?</translation>
    </message>
    <message>
        <source>“%1” will be removed from this device. Quotes and payments on the server stay as they are.</source>
        <translation>«%1» se quitará de este dispositivo. Las cotizaciones y los pagos del servidor no cambian.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Conservar</translation>
    </message>
</context>
<context>
    <name>HistorySheet</name>
    <message>
        <source>Transactions</source>
        <translation>Transacciones</translation>
    </message>
    <message>
        <source>Refresh transactions</source>
        <translation>Actualizar transacciones</translation>
    </message>
    <message>
        <source>Saved work on this device</source>
        <translation>Trabajo guardado en este dispositivo</translation>
    </message>
    <message>
        <source>Open a saved draft or resume its request. Reset did not cancel payments or server work.</source>
        <translation>Abra un borrador guardado o reanude su solicitud. Restablecer no anuló pagos ni trabajo del servidor.</translation>
    </message>
    <message>
        <source>Checkouts</source>
        <translation>Cobros</translation>
    </message>
    <message>
        <source>Open saved work?</source>
        <translation>¿Abrir el trabajo guardado?</translation>
    </message>
    <message>
        <source>Current draft and unfinished requests will be saved first. Payments and server work continue.</source>
        <translation>Primero se guardarán el borrador actual y las solicitudes sin terminar. Los pagos y el trabajo del servidor continúan.</translation>
    </message>
    <message>
        <source>Open saved work</source>
        <translation>Abrir trabajo guardado</translation>
    </message>
</context>
<context>
    <name>LoginView</name>
    <message>
        <source>Vantrel checkout</source>
        <translation>Vantrel checkout</translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation>Iniciar sesión</translation>
    </message>
    <message>
        <source>Access products, customers, and quotes.</source>
        <translation>Acceda a productos, clientes y cotizaciones.</translation>
    </message>
    <message>
        <source>Checkout server</source>
        <translation>Servidor de Checkout</translation>
    </message>
    <message>
        <source>Sign in with Zoho</source>
        <translation>Entrar con Zoho</translation>
    </message>
    <message>
        <source>Finish signing in in your browser. Closed the page? Tap Sign in with Zoho to open it again.</source>
        <translation>Termine de iniciar sesión en el navegador. ¿Cerró la página? Toque Entrar con Zoho para abrirla de nuevo.</translation>
    </message>
    <message>
        <source>Cancel sign-in</source>
        <translation>Cancelar inicio de sesión</translation>
    </message>
    <message>
        <source>Credentials stay with Zoho</source>
        <translation>Sus credenciales quedan en Zoho</translation>
    </message>
</context>
<context>
    <name>NoticeBanner</name>
    <message>
        <source>Close notice</source>
        <translation>Cerrar aviso</translation>
    </message>
</context>
<context>
    <name>PaymentStatusView</name>
    <message>
        <source>Back to draft</source>
        <translation>Volver al borrador</translation>
    </message>
    <message>
        <source>Deal update pending</source>
        <translation>Actualización del trato pendiente</translation>
    </message>
    <message>
        <source>The deal update will retry automatically.</source>
        <translation>La actualización del trato se reintentará sola.</translation>
    </message>
    <message>
        <source>Pickup</source>
        <translation>Recogida</translation>
    </message>
    <message>
        <source>Change given</source>
        <translation>Cambio entregado</translation>
    </message>
</context>
<context>
    <name>ProductCard</name>
    <message>
        <source>ASSEMBLED</source>
        <translation>ARMADO</translation>
    </message>
    <message>
        <source>Loading photo…</source>
        <translation>Cargando foto…</translation>
    </message>
    <message>
        <source>Photo unavailable</source>
        <translation>Foto no disponible</translation>
    </message>
</context>
<context>
    <name>QuoteBrowser</name>
    <message>
        <source>Customers</source>
        <translation>Clientes</translation>
    </message>
    <message>
        <source>Customer quotes</source>
        <translation>Cotizaciones del cliente</translation>
    </message>
    <message>
        <source>Search customer quotes</source>
        <translation>Buscar cotizaciones del cliente</translation>
    </message>
    <message>
        <source>Quote number or status</source>
        <translation>Número o estado de cotización</translation>
    </message>
    <message>
        <source>Select a customer to create or view quotes.</source>
        <translation>Elija un cliente para crear o ver cotizaciones.</translation>
    </message>
    <message>
        <source>Loading quotes…</source>
        <translation>Cargando cotizaciones…</translation>
    </message>
    <message>
        <source>No matching quotes.</source>
        <translation>Ninguna cotización coincide.</translation>
    </message>
    <message>
        <source>No saved quotes.</source>
        <translation>No hay cotizaciones guardadas.</translation>
    </message>
    <message>
        <source>Checkout complete · managed by another user</source>
        <translation>Cobro completado · lo gestiona otro usuario</translation>
    </message>
    <message>
        <source>Checkout managed by another user</source>
        <translation>Cobro gestionado por otro usuario</translation>
    </message>
    <message>
        <source>Checkout complete</source>
        <translation>Cobro completado</translation>
    </message>
    <message>
        <source> · </source>
        <translation> · </translation>
    </message>
    <message>
        <source>Square invoice </source>
        <translation>Factura de Square </translation>
    </message>
    <message>
        <source>Invoice </source>
        <translation>Factura </translation>
    </message>
    <message>
        <source>The quote no longer matches this customer. Reopen the customer’s quote list.</source>
        <translation>La cotización ya no corresponde a este cliente. Vuelva a abrir la lista de cotizaciones del cliente.</translation>
    </message>
    <message>
        <source>Unable to retrieve the latest quote and payment status. </source>
        <translation>No se pudo obtener el último estado de la cotización y del pago. </translation>
    </message>
    <message>
        <source>Use saved quote</source>
        <translation>Usar cotización guardada</translation>
    </message>
    <message>
        <source>Opening quote…</source>
        <translation>Abriendo cotización…</translation>
    </message>
    <message>
        <source>Checking linked invoices…</source>
        <translation>Revisando facturas vinculadas…</translation>
    </message>
    <message>
        <source>Payment status unavailable. Refresh to retry.</source>
        <translation>Estado del pago no disponible. Actualice para reintentar.</translation>
    </message>
    <message>
        <source>Paid in Square. Zoho status is shown above.</source>
        <translation>Pagado en Square. Arriba se ve el estado en Zoho.</translation>
    </message>
    <message>
        <source>Checked </source>
        <translation>Revisado </translation>
    </message>
    <message>
        <source>Due </source>
        <translation>Vence </translation>
    </message>
</context>
<context>
    <name>QuoteDetailView</name>
    <message>
        <source>Back to saved quotes</source>
        <translation>Volver a cotizaciones guardadas</translation>
    </message>
    <message>
        <source>Quote status</source>
        <translation>Estado de la cotización</translation>
    </message>
    <message>
        <source>Quote total</source>
        <translation>Total de la cotización</translation>
    </message>
    <message>
        <source>View-only. Another user manages this checkout.</source>
        <translation>Solo lectura. Otro usuario gestiona este cobro.</translation>
    </message>
    <message>
        <source>Load for editing or checkout.</source>
        <translation>Cárguela para editarla o cobrarla.</translation>
    </message>
    <message>
        <source>Use quote in workspace</source>
        <translation>Usar cotización en el espacio de trabajo</translation>
    </message>
    <message>
        <source>Payment status</source>
        <translation>Estado del pago</translation>
    </message>
    <message>
        <source>Refresh payment status</source>
        <translation>Actualizar estado del pago</translation>
    </message>
    <message>
        <source>Outstanding balance</source>
        <translation>Saldo pendiente</translation>
    </message>
    <message>
        <source>Linked invoices</source>
        <translation>Facturas vinculadas</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Saldo</translation>
    </message>
    <message>
        <source>Quote items</source>
        <translation>Artículos de la cotización</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Subtotal</translation>
    </message>
    <message>
        <source>Tax</source>
        <translation>Impuesto</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notas</translation>
    </message>
    <message>
        <source>Terms</source>
        <translation>Condiciones</translation>
    </message>
    <message>
        <source>Replace unsaved edits?</source>
        <translation>¿Reemplazar los cambios sin guardar?</translation>
    </message>
    <message>
        <source>Replaces unsaved edits. Saved quotes stay in Zoho.</source>
        <translation>Reemplaza los cambios sin guardar. Las cotizaciones guardadas siguen en Zoho.</translation>
    </message>
    <message>
        <source>Keep current workspace</source>
        <translation>Mantener espacio actual</translation>
    </message>
</context>
<context>
    <name>QuoteEditor</name>
    <message>
        <source>New quote</source>
        <translation>Nueva cotización</translation>
    </message>
    <message>
        <source>Quote · </source>
        <translation>Cotización · </translation>
    </message>
    <message>
        <source>SAVED</source>
        <translation>GUARDADA</translation>
    </message>
    <message>
        <source>Choose a customer</source>
        <translation>Elija un cliente</translation>
    </message>
    <message>
        <source>Customer selected</source>
        <translation>Cliente elegido</translation>
    </message>
    <message>
        <source>Search or add a customer</source>
        <translation>Busque o añada un cliente</translation>
    </message>
    <message>
        <source>Browse customer quotes</source>
        <translation>Ver cotizaciones del cliente</translation>
    </message>
    <message>
        <source>View quotes for </source>
        <translation>Ver cotizaciones de </translation>
    </message>
    <message>
        <source>Select a customer to view quotes</source>
        <translation>Elija un cliente para ver cotizaciones</translation>
    </message>
    <message>
        <source>Link deal</source>
        <translation>Vincular trato</translation>
    </message>
    <message>
        <source>Change deal</source>
        <translation>Cambiar trato</translation>
    </message>
    <message>
        <source>Deal </source>
        <translation>Trato </translation>
    </message>
    <message>
        <source>Deal number pending</source>
        <translation>Número de trato pendiente</translation>
    </message>
    <message>
        <source>Deal ID number: </source>
        <translation>Número de ID del trato: </translation>
    </message>
    <message>
        <source>Awaiting CRM</source>
        <translation>Esperando al CRM</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Subtotal</translation>
    </message>
    <message>
        <source>Tax</source>
        <translation>Impuesto</translation>
    </message>
    <message>
        <source>Total due</source>
        <translation>Total a pagar</translation>
    </message>
    <message>
        <source>Items before discounts &amp; tax</source>
        <translation>Artículos antes de descuentos e impuestos</translation>
    </message>
    <message>
        <source>Save to calculate the total.</source>
        <translation>Guarde para calcular el total.</translation>
    </message>
    <message>
        <source>Check the saved request. Resume checkout, or unlock the draft if checkout never started.</source>
        <translation>Compruebe la solicitud guardada. Reanude el cobro o desbloquee el borrador si el cobro no llegó a empezar.</translation>
    </message>
    <message>
        <source>Checkout</source>
        <translation>Cobrar</translation>
    </message>
    <message>
        <source>Checkout on Register</source>
        <translation>Cobrar en Register</translation>
    </message>
    <message>
        <source>Save a new sent quote before checkout.</source>
        <translation>Guarde una cotización enviada nueva antes de cobrar.</translation>
    </message>
    <message>
        <source>Save quote</source>
        <translation>Guardar cotización</translation>
    </message>
    <message>
        <source>Save as new quote</source>
        <translation>Guardar como nueva</translation>
    </message>
    <message>
        <source>Saving edits creates a new quote number.</source>
        <translation>Al guardar los cambios se crea un número de cotización nuevo.</translation>
    </message>
    <message>
        <source>Print quote</source>
        <translation>Imprimir cotización</translation>
    </message>
    <message>
        <source>PDF shows the saved quote. Save edits for a new PDF.</source>
        <translation>El PDF muestra la cotización guardada. Guarde los cambios para un PDF nuevo.</translation>
    </message>
    <message>
        <source>Remove </source>
        <translation>Quitar </translation>
    </message>
    <message>
        <source>No line tax / customer default</source>
        <translation>Sin impuesto de línea / el del cliente</translation>
    </message>
    <message>
        <source>Search customers</source>
        <translation>Buscar clientes</translation>
    </message>
    <message>
        <source>Name, email, or phone</source>
        <translation>Nombre, correo o teléfono</translation>
    </message>
    <message>
        <source>Finding customers…</source>
        <translation>Buscando clientes…</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>No customers found. Try a name, email, or phone number.</source>
        <translation>No se encontraron clientes. Pruebe con un nombre, correo o teléfono.</translation>
    </message>
    <message>
        <source>Create customer &amp; deal</source>
        <translation>Crear cliente y trato</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Change this quote&apos;s customer?</source>
        <translation>¿Cambiar el cliente de esta cotización?</translation>
    </message>
    <message>
        <source>Items and edits stay. Saved quote and deal links are cleared. Save as a new quote.</source>
        <translation>Los artículos y cambios se conservan. Se quitan los vínculos a la cotización guardada y al trato. Guárdela como nueva.</translation>
    </message>
    <message>
        <source>Use selected customer</source>
        <translation>Usar cliente elegido</translation>
    </message>
    <message>
        <source>Keep current customer</source>
        <translation>Mantener cliente actual</translation>
    </message>
    <message>
        <source>View PDF</source>
        <translation>Ver PDF</translation>
    </message>
    <message>
        <source>View invoice</source>
        <translation>Ver factura</translation>
    </message>
    <message>
        <source>Paid invoice</source>
        <translation>Factura pagada</translation>
    </message>
    <message>
        <source>PDF unavailable</source>
        <translation>PDF no disponible</translation>
    </message>
    <message>
        <source> · Pinch to zoom</source>
        <translation> · Pellizque para ampliar</translation>
    </message>
    <message numerus="yes">
        <source>%n line(s)</source>
        <translation>
            <numerusform>%n línea</numerusform>
            <numerusform>%n líneas</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QuoteEditorView</name>
    <message>
        <source>Quote details</source>
        <translation>Datos de la cotización</translation>
    </message>
    <message>
        <source>Quote items</source>
        <translation>Artículos de la cotización</translation>
    </message>
    <message>
        <source>No items</source>
        <translation>Sin artículos</translation>
    </message>
    <message>
        <source>Add products or open a saved quote.</source>
        <translation>Añada productos o abra una cotización guardada.</translation>
    </message>
    <message>
        <source>Notes, terms &amp; adjustments</source>
        <translation>Notas, condiciones y ajustes</translation>
    </message>
    <message>
        <source>Customer notes</source>
        <translation>Notas para el cliente</translation>
    </message>
    <message>
        <source>Terms</source>
        <translation>Condiciones</translation>
    </message>
    <message>
        <source>Shipping</source>
        <translation>Envío</translation>
    </message>
    <message>
        <source>Adjustment</source>
        <translation>Ajuste</translation>
    </message>
    <message>
        <source>Order discount</source>
        <translation>Descuento del pedido</translation>
    </message>
</context>
<context>
    <name>QuoteLineRow</name>
    <message>
        <source>Decrease quantity</source>
        <translation>Reducir cantidad</translation>
    </message>
    <message>
        <source>Qty</source>
        <translation>Cant.</translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation>Cantidad</translation>
    </message>
    <message>
        <source>Increase quantity</source>
        <translation>Aumentar cantidad</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Precio</translation>
    </message>
    <message>
        <source>Unit price</source>
        <translation>Precio unitario</translation>
    </message>
    <message>
        <source>Line description, discount, and tax</source>
        <translation>Descripción, descuento e impuesto de la línea</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Discount</source>
        <translation>Descuento</translation>
    </message>
    <message>
        <source>0 or 10%</source>
        <translation>0 o 10%</translation>
    </message>
    <message>
        <source>Tax</source>
        <translation>Impuesto</translation>
    </message>
</context>
<context>
    <name>Records</name>
    <message>
        <source>The operation could not be completed.</source>
        <translation>No se pudo completar la operación.</translation>
    </message>
    <message>
        <source>First name is required.</source>
        <translation>El nombre es obligatorio.</translation>
    </message>
    <message>
        <source>Last name is required.</source>
        <translation>El apellido es obligatorio.</translation>
    </message>
    <message>
        <source>Phone is required.</source>
        <translation>El teléfono es obligatorio.</translation>
    </message>
    <message>
        <source>Email is required.</source>
        <translation>El correo es obligatorio.</translation>
    </message>
    <message>
        <source>Enter a valid phone number.</source>
        <translation>Escriba un teléfono válido.</translation>
    </message>
    <message>
        <source>Enter a valid email address.</source>
        <translation>Escriba un correo válido.</translation>
    </message>
    <message>
        <source>Select a campaign source.</source>
        <translation>Elija un origen de campaña.</translation>
    </message>
    <message>
        <source>Enter a deal amount with up to two decimal places.</source>
        <translation>Escriba un importe del trato con dos decimales como máximo.</translation>
    </message>
    <message>
        <source>The payment status is not confirmed. Your saved request has been kept.</source>
        <translation>El estado del pago no está confirmado. Su solicitud guardada se ha conservado.</translation>
    </message>
    <message>
        <source>Customer creation could not be verified. Your saved details have been kept.</source>
        <translation>No se pudo comprobar la creación del cliente. Sus datos guardados se han conservado.</translation>
    </message>
    <message>
        <source>The data could not be read as %1: %2.</source>
        <translation>Los datos no se pudieron leer como %1: %2.</translation>
    </message>
    <message>
        <source>The data could not be read as %1: field &quot;%2&quot; is missing.</source>
        <translation>Los datos no se pudieron leer como %1: falta el campo «%2».</translation>
    </message>
    <message>
        <source>The data could not be read as %1: field &quot;%2&quot; has the wrong type.</source>
        <translation>Los datos no se pudieron leer como %1: el campo «%2» tiene un tipo incorrecto.</translation>
    </message>
    <message>
        <source>The data could not be read as %1: field &quot;%2&quot; is not valid.</source>
        <translation>Los datos no se pudieron leer como %1: el campo «%2» no es válido.</translation>
    </message>
    <message>
        <source>record</source>
        <translation>registro</translation>
    </message>
    <message>
        <source>The server returned a different checkout request. Your saved request has been kept.</source>
        <translation>El servidor devolvió otra solicitud de cobro. Su solicitud guardada se conservó.</translation>
    </message>
    <message>
        <source>The server returned a different customer request. Your saved details have been kept.</source>
        <translation>El servidor devolvió otra solicitud de cliente. Sus datos guardados se conservaron.</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>catálogo</translation>
    </message>
    <message>
        <source>Draft</source>
        <translation>borrador</translation>
    </message>
    <message>
        <source>saved requests</source>
        <translation>solicitudes guardadas</translation>
    </message>
</context>
<context>
    <name>RegisterInstructions</name>
    <message>
        <source>Continue on Square Register</source>
        <translation>Continúe en Square Register</translation>
    </message>
    <message>
        <source>1. Open More → Invoices.
2. Find this invoice and check the total.
</source>
        <translation>1. Abra Más → Facturas.
2. Busque esta factura y revise el total.
</translation>
    </message>
    <message>
        <source>3. Tap Add payment → Remaining amount and collect card or cash.</source>
        <translation>3. Toque Añadir pago → Importe restante y cobre con tarjeta o efectivo.</translation>
    </message>
</context>
<context>
    <name>Server</name>
    <message>
        <source>The server did not answer in time. Check the connection and try again.</source>
        <translation>El servidor no respondió a tiempo. Revise la conexión e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Enter an HTTPS server address. A server on this device can also use http://localhost:8080.</source>
        <translation>Escriba una dirección de servidor HTTPS. Un servidor en este dispositivo también puede usar http://localhost:8080.</translation>
    </message>
    <message>
        <source>Invalid server address.</source>
        <translation>Dirección de servidor no válida.</translation>
    </message>
    <message>
        <source>The server could not complete the request. Your transaction can be resumed.</source>
        <translation>El servidor no pudo completar la solicitud. Puede reanudar su transacción.</translation>
    </message>
    <message>
        <source>The server sent more than %1 in one reply, more than this app accepts. Nothing was changed.</source>
        <translation>El servidor envió más de %1 en una respuesta, más de lo que acepta esta aplicación. No se cambió nada.</translation>
    </message>
</context>
<context>
    <name>SignIn</name>
    <message>
        <source>This preview build has invalid sign-in configuration.</source>
        <translation>Esta versión de prueba tiene una configuración de inicio de sesión no válida.</translation>
    </message>
    <message>
        <source>Unable to open Zoho sign-in.</source>
        <translation>No se pudo abrir el inicio de sesión de Zoho.</translation>
    </message>
    <message>
        <source>Unable to open Zoho sign-in. </source>
        <translation>No se pudo abrir el inicio de sesión de Zoho. </translation>
    </message>
    <message>
        <source>Sign-in did not complete.</source>
        <translation>El inicio de sesión no terminó.</translation>
    </message>
    <message>
        <source>Missing sign-in code.</source>
        <translation>Falta el código de inicio de sesión.</translation>
    </message>
    <message>
        <source>The sign-in was canceled.</source>
        <translation>Se canceló el inicio de sesión.</translation>
    </message>
    <message>
        <source>No web browser could be opened on this device.</source>
        <translation>No se pudo abrir ningún navegador web en este dispositivo.</translation>
    </message>
    <message>
        <source>The sign-in took too long. Please sign in again.</source>
        <translation>El inicio de sesión tardó demasiado. Inicie sesión de nuevo.</translation>
    </message>
    <message>
        <source>The sign-in could not be saved in this device&apos;s keychain.</source>
        <translation>No se pudo guardar el inicio de sesión en el llavero de este dispositivo.</translation>
    </message>
    <message>
        <source>The saved sign-in could not be removed from this device&apos;s keychain.</source>
        <translation>No se pudo quitar el inicio de sesión guardado del llavero de este dispositivo.</translation>
    </message>
</context>
<context>
    <name>Transaction</name>
    <message>
        <source>Square payment confirmed</source>
        <translation>Pago de Square confirmado</translation>
    </message>
    <message>
        <source>Transaction complete</source>
        <translation>Transacción completada</translation>
    </message>
    <message>
        <source>Ready on Square Register</source>
        <translation>Lista en Square Register</translation>
    </message>
    <message>
        <source>Waiting for payment</source>
        <translation>Esperando el pago</translation>
    </message>
    <message>
        <source>Payment confirmed · quote update pending</source>
        <translation>Pago confirmado · actualización de cotización pendiente</translation>
    </message>
    <message>
        <source>Payment received · syncing Zoho</source>
        <translation>Pago recibido · sincronizando Zoho</translation>
    </message>
    <message>
        <source>Square invoice canceled</source>
        <translation>Factura de Square anulada</translation>
    </message>
    <message>
        <source>Payment canceled</source>
        <translation>Pago anulado</translation>
    </message>
    <message>
        <source>Check payment status</source>
        <translation>Revise el estado del pago</translation>
    </message>
    <message>
        <source>Preparing Square invoice</source>
        <translation>Preparando factura de Square</translation>
    </message>
    <message>
        <source>Sending to Square</source>
        <translation>Enviando a Square</translation>
    </message>
</context>
<context>
    <name>VoiceSearch</name>
    <message>
        <source>Enable microphone and speech recognition in this device&apos;s settings to use voice search.</source>
        <translation>Active el micrófono y el reconocimiento de voz en los ajustes de este dispositivo para usar la búsqueda por voz.</translation>
    </message>
    <message>
        <source>Voice search unavailable. Type your search.</source>
        <translation>Búsqueda por voz no disponible. Escriba su búsqueda.</translation>
    </message>
    <message>
        <source>No microphone input is available.</source>
        <translation>No hay entrada de micrófono disponible.</translation>
    </message>
    <message>
        <source>The microphone could not be started.</source>
        <translation>No se pudo iniciar el micrófono.</translation>
    </message>
</context>
<context>
    <name>Workspace</name>
    <message>
        <source>The catalog&apos;s time stamp is out of range.</source>
        <translation>La marca de tiempo del catálogo está fuera de rango.</translation>
    </message>
    <message>
        <source>Square Register setup needs to be completed before preparing invoices.</source>
        <translation>Hay que terminar de configurar Square Register antes de preparar facturas.</translation>
    </message>
    <message>
        <source>Payment setup is required on the server.</source>
        <translation>Hay que configurar los pagos en el servidor.</translation>
    </message>
    <message>
        <source>The request is kept on this device and nothing is sent twice: tap “%1” to finish it.</source>
        <translation>La solicitud se guarda en este dispositivo y nada se envía dos veces: toque «%1» para terminarla.</translation>
    </message>
    <message>
        <source>Resume saving quote</source>
        <translation>Reanudar guardado</translation>
    </message>
    <message>
        <source>Resume customer creation</source>
        <translation>Reanudar alta de cliente</translation>
    </message>
    <message>
        <source>Check saved request</source>
        <translation>Comprobar solicitud guardada</translation>
    </message>
    <message>
        <source>Wait a moment: another operation is still running.</source>
        <translation>Espere un momento: otra operación sigue en curso.</translation>
    </message>
    <message>
        <source>The quote is locked while a checkout request is waiting. Tap “%1” to finish it.</source>
        <translation>La cotización está bloqueada mientras hay un cobro pendiente. Toque «%1» para terminarlo.</translation>
    </message>
    <message>
        <source>The quote is locked until its save is finished. Tap “%1” to finish it.</source>
        <translation>La cotización está bloqueada hasta que termine de guardarse. Toque «%1» para terminar.</translation>
    </message>
    <message>
        <source>The quote is locked while a new customer is being created. Choose the customer and tap “%1” to finish it.</source>
        <translation>La cotización está bloqueada mientras se crea un cliente nuevo. Elija el cliente y toque «%1» para terminar.</translation>
    </message>
    <message>
        <source>The quote is locked while its checkout is live. Reset the workspace to start another sale.</source>
        <translation>La cotización está bloqueada mientras su cobro está en curso. Restablezca el espacio de trabajo para empezar otra venta.</translation>
    </message>
    <message>
        <source>The original saved draft is unreadable and has been protected. Changes stay on screen but cannot be saved until the file is recovered.</source>
        <translation>El borrador guardado original no se puede leer y quedó protegido. Los cambios siguen en pantalla, pero no se pueden guardar hasta recuperar el archivo.</translation>
    </message>
    <message>
        <source>The saved draft is unreadable and its original file is protected. Recover a readable copy before saving changes.</source>
        <translation>El borrador guardado no se puede leer y su archivo original está protegido. Recupere una copia legible antes de guardar cambios.</translation>
    </message>
    <message>
        <source>Sign in before saving this workspace.</source>
        <translation>Inicie sesión antes de guardar este espacio de trabajo.</translation>
    </message>
    <message>
        <source>Changes could not be saved on this device: </source>
        <translation>No se pudieron guardar los cambios en este dispositivo: </translation>
    </message>
    <message>
        <source>Saved requests could not be read. The original file has been kept for recovery.</source>
        <translation>No se pudieron leer las solicitudes guardadas. Se conservó el archivo original para recuperarlo.</translation>
    </message>
    <message>
        <source>Saved workspace details could not be read. The original draft file has been kept for recovery.</source>
        <translation>No se pudieron leer los datos guardados del espacio de trabajo. Se conservó el archivo del borrador original para recuperarlo.</translation>
    </message>
    <message>
        <source>Saved requests need review before resetting.</source>
        <translation>Revise las solicitudes guardadas antes de restablecer.</translation>
    </message>
    <message>
        <source>The saved request could not be stored safely. Your current workspace has been kept.</source>
        <translation>No se pudo guardar la solicitud de forma segura. Se conservó su espacio de trabajo actual.</translation>
    </message>
    <message>
        <source>The saved request could not be opened safely. Your current workspace has been kept.</source>
        <translation>No se pudo abrir la solicitud guardada de forma segura. Se conservó su espacio de trabajo actual.</translation>
    </message>
    <message>
        <source>Workspace reset. Saved requests and payments remain in Transactions.</source>
        <translation>Espacio restablecido. Las solicitudes guardadas y los pagos siguen en Transacciones.</translation>
    </message>
    <message>
        <source>Saved request reopened. Resume it to check the original result.</source>
        <translation>Solicitud guardada reabierta. Reanúdela para comprobar el resultado original.</translation>
    </message>
    <message>
        <source>This saved work holds a request whose outcome is not known yet. Open it and resume the request; once it is settled, the entry leaves this list by itself.</source>
        <translation>Este trabajo guardado tiene una solicitud cuyo resultado aún no se conoce. Ábralo y reanude la solicitud; cuando se resuelva, la entrada saldrá sola de esta lista.</translation>
    </message>
    <message>
        <source>The saved work could not be removed safely. Saved requests were kept as they are.</source>
        <translation>No se pudo quitar el trabajo guardado de forma segura. Las solicitudes guardadas quedaron como estaban.</translation>
    </message>
    <message>
        <source>Choose a customer first.</source>
        <translation>Primero elija un cliente.</translation>
    </message>
    <message>
        <source>Each line needs a positive quantity and a valid price.</source>
        <translation>Cada línea necesita una cantidad positiva y un precio válido.</translation>
    </message>
    <message>
        <source>Enter a valid discount, such as 10%.</source>
        <translation>Escriba un descuento válido, como 10%.</translation>
    </message>
    <message>
        <source>Enter valid shipping and adjustment amounts.</source>
        <translation>Escriba importes válidos de envío y ajuste.</translation>
    </message>
    <message>
        <source>A line&apos;s quantity can be at most 1,000,000.</source>
        <translation>La cantidad de una línea puede ser como máximo 1.000.000.</translation>
    </message>
    <message>
        <source>A line&apos;s price can be at most 1,000,000,000.</source>
        <translation>El precio de una línea puede ser como máximo 1.000.000.000.</translation>
    </message>
    <message>
        <source>A line&apos;s discount cannot be larger than the line amount.</source>
        <translation>El descuento de una línea no puede superar el importe de la línea.</translation>
    </message>
    <message>
        <source>Enter a valid order discount, such as 10%.</source>
        <translation>Escriba un descuento del pedido válido, como 10%.</translation>
    </message>
    <message>
        <source>The quote total cannot be negative.</source>
        <translation>El total de la cotización no puede ser negativo.</translation>
    </message>
    <message>
        <source> saved and marked sent.</source>
        <translation> guardada y marcada como enviada.</translation>
    </message>
    <message>
        <source>Quote save</source>
        <translation>El guardado de la cotización</translation>
    </message>
    <message>
        <source>Customer creation</source>
        <translation>El alta del cliente</translation>
    </message>
    <message>
        <source> could not be saved on this device. Nothing was sent; check available storage and try again.</source>
        <translation> no se pudo guardar en este dispositivo. No se envió nada; revise el espacio disponible y reintente.</translation>
    </message>
    <message>
        <source>This quote belongs to a different customer. Refresh the quote list and try again.</source>
        <translation>Esta cotización es de otro cliente. Actualice la lista de cotizaciones y reintente.</translation>
    </message>
    <message>
        <source>This quote has a checkout managed by another user. Ask that user to finish or manage its payment. Your current quote has not changed.</source>
        <translation>Esta cotización tiene un cobro que gestiona otro usuario. Pídale que termine o gestione el pago. Su cotización actual no cambió.</translation>
    </message>
    <message>
        <source>This quote is no longer available for editing. View its invoice or checkout status in Customers. Your current draft has not changed.</source>
        <translation>Esta cotización ya no se puede editar. Vea su factura o el estado del cobro en Clientes. Su borrador actual no cambió.</translation>
    </message>
    <message>
        <source>Catalog could not refresh. Quantities shown may be out of date.</source>
        <translation>No se pudo actualizar el catálogo. Las cantidades mostradas pueden estar desactualizadas.</translation>
    </message>
    <message>
        <source>Could not create a file next to %1: %2</source>
        <translation>No se pudo crear un archivo junto a %1: %2</translation>
    </message>
    <message>
        <source>Could not protect %1: %2</source>
        <translation>No se pudo proteger %1: %2</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>No se pudo escribir %1: %2</translation>
    </message>
    <message>
        <source>Could not replace %1: %2</source>
        <translation>No se pudo reemplazar %1: %2</translation>
    </message>
    <message>
        <source>Could not sync the folder of %1: %2</source>
        <translation>No se pudo sincronizar la carpeta de %1: %2</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>No se pudo leer %1: %2</translation>
    </message>
    <message>
        <source>Could not create the folder %1</source>
        <translation>No se pudo crear la carpeta %1</translation>
    </message>
    <message>
        <source>Save this draft as a new sent quote before starting checkout.</source>
        <translation>Guarde este borrador como una cotización enviada nueva antes de empezar el cobro.</translation>
    </message>
    <message>
        <source>Reconnecting. The transaction remains saved on the server.</source>
        <translation>Reconectando. La transacción sigue guardada en el servidor.</translation>
    </message>
    <message>
        <source>Checkout never started. Your customer and items are kept; save a new quote to continue.</source>
        <translation>El cobro no llegó a empezar. Se conservan el cliente y los artículos; guarde una cotización nueva para continuar.</translation>
    </message>
    <message>
        <source>Checkout never started. The quote is still open; start checkout again when the customer is ready.</source>
        <translation>El cobro no llegó a empezar. La cotización sigue abierta; vuelva a empezar el cobro cuando el cliente esté listo.</translation>
    </message>
    <message>
        <source>Enter the cash received; it must cover the amount due.</source>
        <translation>Escriba el efectivo recibido; debe cubrir el importe a pagar.</translation>
    </message>
    <message>
        <source>Choose card or cash before starting checkout.</source>
        <translation>Elija tarjeta o efectivo antes de empezar el cobro.</translation>
    </message>
    <message>
        <source>A checkout request is saved for another payment method. Check the saved request before changing it.</source>
        <translation>Hay una solicitud de cobro guardada con otro método de pago. Compruebe la solicitud guardada antes de cambiarla.</translation>
    </message>
    <message>
        <source>Demo receipt request completed. No physical receipt was printed.</source>
        <translation>Solicitud de recibo de demostración completada. No se imprimió ningún recibo físico.</translation>
    </message>
    <message>
        <source>Receipt requested on Square Terminal.</source>
        <translation>Recibo solicitado en Square Terminal.</translation>
    </message>
    <message>
        <source>Zoho did not return a printable PDF.</source>
        <translation>Zoho no devolvió un PDF imprimible.</translation>
    </message>
    <message>
        <source>This PDF has a page too large to print on this device. Nothing was printed.</source>
        <translation>Este PDF tiene una página demasiado grande para imprimirla en este dispositivo. No se imprimió nada.</translation>
    </message>
    <message>
        <source>Unable to present the print dialog.</source>
        <translation>No se pudo mostrar el cuadro de impresión.</translation>
    </message>
    <message>
        <source>Resume the pending operation before starting a new sale.</source>
        <translation>Reanude la operación pendiente antes de empezar una venta nueva.</translation>
    </message>
    <message>
        <source>Paid invoice</source>
        <translation>Factura pagada</translation>
    </message>
</context>
<context>
    <name>WorkspaceHeader</name>
    <message>
        <source>DEMO</source>
        <translation>DEMO</translation>
    </message>
    <message>
        <source>Transactions</source>
        <translation>Transacciones</translation>
    </message>
    <message>
        <source>Account and settings</source>
        <translation>Cuenta y ajustes</translation>
    </message>
</context>
<context>
    <name>WorkspaceResetButton</name>
    <message>
        <source>Reset workspace</source>
        <translation>Restablecer espacio</translation>
    </message>
    <message>
        <source>Reset workspace?</source>
        <translation>¿Restablecer el espacio de trabajo?</translation>
    </message>
    <message>
        <source>Unsaved edits are cleared. Requests stay in Transactions. Payments and server work continue. You stay signed in.</source>
        <translation>Se borran los cambios sin guardar. Las solicitudes quedan en Transacciones. Los pagos y el trabajo del servidor continúan. Su sesión sigue abierta.</translation>
    </message>
</context>
<context>
    <name>WorkspaceView</name>
    <message>
        <source>Products</source>
        <translation>Productos</translation>
    </message>
    <message>
        <source>Quote</source>
        <translation>Cotización</translation>
    </message>
</context>
<context>
    <name>vantrel::screens::LanguageChoice</name>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
</context>
</TS>
