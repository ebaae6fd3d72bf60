/* Stand-in: the product version header of the system's build kit; its strings feed only version
 * resources (see common.ver), so it defines nothing here. */
